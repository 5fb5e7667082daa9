// The program's help, written as plain text (res/help.txt) and shown as a
// list of topics beside the text of the chosen one.
//
//   # Title          starts a topic
//   (blank line)     ends a paragraph
//   - item           a line of its own (lists)
//   key<TAB>meaning  a line of its own (tables; the help window sets tab stops)
//   any other line   continues the paragraph, joined with a space
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct HelpTopic {
  std::string title;
  std::string text;  // lines end in "\r\n", as an edit control shows them
};

// Splits the help into its topics; text before the first title is left
// out. Gives 0 or E_OUTOFMEMORY.
int32_t ParseHelpText(const char* text, size_t size, std::vector<HelpTopic>* topics);
