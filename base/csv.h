// CSV as a spreadsheet set to French opens it: UTF-8 with a byte order mark,
// lines ended by CR LF, fields separated by ";" (RFC 4180 otherwise). Shared
// by the trace of a run and the checker's report.
#pragma once

#include <string>
#include <string_view>

inline constexpr std::string_view bomUtf8 = "\xEF\xBB\xBF";

// One field: put in double quotes, inner quotes doubled, when it holds ";",
// a double quote or a line break; as it is otherwise.
std::string champCsv(std::string_view utf8);
