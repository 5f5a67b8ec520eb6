# SPDX-License-Identifier: MIT
# Gives a page help2man made its Polish headings, date and manual name:
#   cmake -DPAGE=nx3cli.1 [-DDATE=2026-12-09] -P PolishPage.cmake
# help2man translates them only in a generated pl_PL locale, which a build machine need not have;
# the words are those of help2man's own Polish translation. A heading left without one stops the build.
cmake_minimum_required(VERSION 3.25)
file(READ ${PAGE} page)
# help2man's Polish also makes the --help text's "Opcje:" and "Przykłady:" whole sections.
set(headings
    "SH NAME" "SH NAZWA"
    "SH SYNOPSIS" "SH SKŁADNIA"
    "SH DESCRIPTION" "SH OPIS"
    "SH OPTIONS" "SH OPCJE"
    "SS \"Opcje:\"" "SH OPCJE"
    "SH EXAMPLES" "SH PRZYKŁADY"
    "SS \"Przykłady:\"" "SH PRZYKŁADY"
    "SH ENVIRONMENT" "SH ŚRODOWISKO"
    "SH FILES" "SH PLIKI"
    "SH AUTHOR" "SH AUTOR"
    "SH \"REPORTING BUGS\"" "SH \"ZGŁASZANIE BŁĘDÓW\""
    "SH COPYRIGHT" "SH \"PRAWA AUTORSKIE\""
    "SH \"SEE ALSO\"" "SH \"ZOBACZ TAKŻE\"")
set(polish)
while(headings)
  list(POP_FRONT headings english translated)
  string(REPLACE "\n.${english}\n" "\n.${translated}\n" page "${page}")
  list(APPEND polish ".${translated}")
endwhile()
string(REGEX MATCHALL "\n\\.SH [^\n]*" left "${page}")
foreach(heading IN LISTS left)
  string(STRIP "${heading}" heading)
  if(NOT heading IN_LIST polish)
    message(FATAL_ERROR "${PAGE}: the heading '${heading}' has no Polish form in PolishPage.cmake")
  endif()
endforeach()

if(NOT DATE)
  set(DATE "\\2")
endif()
string(REGEX REPLACE "\n\\.TH ([^ \n]+ \"[^\"\n]*\") \"([^\"\n]*)\" (\"[^\"\n]*\") \"User Commands\"\n"
       "\n.TH \\1 \"${DATE}\" \\3 \"Polecenia użytkownika\"\n" page "${page}")
file(WRITE ${PAGE} "${page}")
