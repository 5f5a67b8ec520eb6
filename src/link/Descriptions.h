#pragma once
// The built-in table of command and error descriptions of the NX-3 E (UTF-8), copied into
// TNX3Class::Descriptions when the link is made.
#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace nubra {

inline constexpr int kDescriptionEntries = 320;

const std::array<std::string_view, kDescriptionEntries>& DescriptionTable();

// The table's line for a command ("(B2) Odeślij numer raportu dobowego."), empty when it has none.
// The command is Windows-1250, the result UTF-8.
std::string DescribeCommand(const std::vector<std::string>& descriptions, const std::string& command);
// What CheckReply shows for a command's reply code ("X20133" for an extended one); "Brak opisu
// błędu" when the table does not know it.
std::string DescribeReply(const std::vector<std::string>& descriptions, const std::string& command,
                          const std::string& reply);

} // namespace nubra
