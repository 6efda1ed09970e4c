// Texts made safe for the reports. Everything that comes from a learner (file
// names, displayed lines, messages) passes through here before it is written.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// A file name as UTF-8, one name for one file: valid UTF-8 is kept, a byte
// of no valid sequence and a control character are written "\xE9" (and, on
// systems where it is no separator, a backslash "\\"), so that two files
// never show the same name.
std::string nomLisible(std::string_view octets);

// Control characters (C0, DEL, C1), which could move a terminal's cursor or
// break a line of a report, become U+FFFD. Input and output are UTF-8.
std::string sansControles(std::string_view utf8);

// The number of characters (code points) of a UTF-8 text: its width in the table.
size_t largeur(std::string_view utf8);

// One CSV field: a field that would start with "=", "+", "-", "@", a
// tabulation or a carriage return and is not a number gets an apostrophe in
// front, so that a spreadsheet shows it as text instead of evaluating it;
// quoted (RFC 4180) when it holds ";", a double quote or a line break.
std::string champCsvSansFormule(std::string_view utf8);

// Text for HTML: & < > " ' as entities.
std::string echapperHtml(std::string_view utf8);
