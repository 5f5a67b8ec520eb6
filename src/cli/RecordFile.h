#pragma once
// Records (field name -> text) read from a file a script wrote: a JSON array of flat objects, or a
// CSV file whose first line names the fields (separated by ';' or ','; a field may be quoted with
// '"', a doubled '"' inside it). Names are taken in lower case; values stay UTF-8 text, numbers as
// written. Raises UsageError naming the line that cannot be read.
#include <map>
#include <string>
#include <vector>

namespace nubra::cli {

using Record = std::map<std::string, std::string>;

std::vector<Record> ParseJsonRecords(const std::string& text);
std::vector<Record> ParseCsvRecords(const std::string& text);
// By the file name's extension: ".json" is JSON, anything else CSV.
std::vector<Record> ReadRecordFile(const std::string& path);

} // namespace nubra::cli
