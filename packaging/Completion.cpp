// SPDX-License-Identifier: MIT
// Writes nx3cli's bash completion from its command table, so a new command is completed without an
// edit here.
#include <fstream>
#include <iostream>
#include <string>

#include "CliCommands.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "użycie: nubra_completion PLIK\n";
        return 2;
    }
    std::string commands;
    for (const nubra::cli::CliCommand& c : nubra::cli::CliCommands())
        commands += (commands.empty() ? "" : " ") + std::string(c.name);
    std::ofstream out(argv[1]);
    out << "# bash completion for nx3cli (made from its command table)\n"
           "_nx3cli() {\n"
           "    local cur prev words cword\n"
           "    _init_completion -s || return\n"
           "    case $prev in\n"
           "        --device) COMPREPLY=($(compgen -f -- \"$cur\")); return ;;\n"
           "        --port) COMPREPLY=($(compgen -W '1 2 3 4' -- \"$cur\")); return ;;\n"
           "        --data) _filedir -d; return ;;\n"
           "        --trace) _filedir; return ;;\n"
           "    esac\n"
           "    local i command=\n"
           "    for ((i = 1; i < cword; i++)); do\n"
           "        case ${words[i]} in\n"
           "            --device|--port|--data|--trace) ((i++)) ;;\n"
           "            -*) ;;\n"
           "            *) command=${words[i]}; break ;;\n"
           "        esac\n"
           "    done\n"
           "    if [[ -z $command ]]; then\n"
           "        if [[ $cur == -* ]]; then\n"
           "            COMPREPLY=($(compgen -W '--device --port --data --json --trace --yes --help "
           "--version' -- \"$cur\"))\n"
           "        else\n"
           "            COMPREPLY=($(compgen -W '"
        << commands
        << "' -- \"$cur\"))\n"
           "        fi\n"
           "        return\n"
           "    fi\n"
           "    if [[ $cur == -* ]]; then\n"
           "        COMPREPLY=($(compgen -W '--json --yes --help' -- \"$cur\"))\n"
           "    else\n"
           "        _filedir\n"
           "    fi\n"
           "}\n"
           "complete -F _nx3cli nx3cli\n";
    return out.good() ? 0 : 1;
}
