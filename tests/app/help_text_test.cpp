// The help's text: topics, paragraphs joined from their lines, lists and
// tables kept line by line; and the program's own help, which must name
// every shortcut the program has.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/command_table.h"
#include "app/help_text.h"

namespace {

std::vector<HelpTopic> Parse(const std::string& text) {
  std::vector<HelpTopic> topics;
  EXPECT_EQ(0, ParseHelpText(text.data(), text.size(), &topics));
  return topics;
}

TEST(HelpText, SplitsTopicsAndJoinsTheLinesOfAParagraph) {
  std::vector<HelpTopic> topics = Parse(
      "ignored before the first title\n"
      "# First\r\n"
      "A paragraph written\n"
      "over two lines.\n"
      "\n"
      "\n"
      "Second paragraph.\n"
      "- an item\n"
      "- another item\n"
      "# Keys\n"
      "Ctrl+N\tNew\n"
      "F1\tHelp\n");
  ASSERT_EQ(2u, topics.size());
  EXPECT_EQ("First", topics[0].title);
  EXPECT_EQ("A paragraph written over two lines.\r\n\r\nSecond paragraph.\r\n- an item\r\n- another item\r\n",
            topics[0].text);
  EXPECT_EQ("Keys", topics[1].title);
  EXPECT_EQ("Ctrl+N\tNew\r\nF1\tHelp\r\n", topics[1].text);
  EXPECT_TRUE(Parse("no topic at all\n").empty());
}

#ifdef ORDALIS_HELP_TEXT
std::string ReadHelpFile() {
  std::string text;
  FILE* file = fopen(ORDALIS_HELP_TEXT, "rb");
  if (file == nullptr) return text;
  char buffer[4096];
  for (size_t n; (n = fread(buffer, 1, sizeof(buffer), file)) > 0;) text.append(buffer, n);
  fclose(file);
  return text;
}

TEST(ProgramHelp, NamesEveryShortcutAndCoversEachSubject) {
  std::string text = ReadHelpFile();
  ASSERT_FALSE(text.empty()) << ORDALIS_HELP_TEXT;
  std::vector<HelpTopic> topics = Parse(text);
  EXPECT_GE(topics.size(), 8u);
  std::string all;
  for (const HelpTopic& topic : topics) all += topic.title + "\n" + topic.text;
  for (size_t i = 0; i < kCommandCount; ++i) {
    for (const Shortcut& keys : kCommands[i].keys) {
      if (keys.key == 0 || kCommands[i].id == 33101) continue;  // What's-this help does nothing
      char name[48];
      FormatShortcut(keys, name, sizeof(name));
      EXPECT_NE(std::string::npos, all.find(name)) << name;
    }
  }
  for (const char* subject : {"Software\\DirectShow\\Presets", "Software\\Veltrane\\Cantorel\\Presets",
                              "Software\\DirectShow\\Presets\\FX Packages", "DefLocation", ".vtpreset", "Undo",
                              "Drag", "Rename", "Delet"}) {
    EXPECT_NE(std::string::npos, all.find(subject)) << subject;
  }
}
#endif

}  // namespace
