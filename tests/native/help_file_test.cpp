#include "common/help/help_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint32_t Get32(const Bytes& b, std::size_t at) {
  return b.at(at) | b.at(at + 1) << 8 | b.at(at + 2) << 16 |
         static_cast<std::uint32_t>(b.at(at + 3)) << 24;
}
std::uint16_t Get16(const Bytes& b, std::size_t at) {
  return static_cast<std::uint16_t>(b.at(at) | b.at(at + 1) << 8);
}

// Reads a help file back as a viewer does: the directory, the topics with their texts and
// jumps in the chain of topic records, the context hashes and the map numbers.
struct HelpReader {
  struct Topic {
    std::string title;
    std::string text;
    std::vector<std::int32_t> jumps;
  };

  explicit HelpReader(const Bytes& file) : file_(file) {
    EXPECT_EQ(Get32(file, 0), 0x00035F3Fu);
    EXPECT_EQ(Get32(file, 12), file.size());
    for (const Bytes& entry : LeafEntries(Get32(file, 4))) {
      const std::string name(reinterpret_cast<const char*>(entry.data()));
      files[name] = Get32(entry, name.size() + 1);
    }
    ReadTopics();
    const std::size_t map = Data("|CTXOMAP");
    for (std::uint16_t i = 0; i < Get16(file_, map); ++i) {
      mapped[static_cast<std::int32_t>(Get32(file_, map + 2 + i * 8))] =
          Get32(file_, map + 6 + i * 8);
    }
    for (const Bytes& entry : LeafEntries(files.at("|CONTEXT"))) {
      contexts[static_cast<std::int32_t>(Get32(entry, 0))] = Get32(entry, 4);
    }
  }

  // The entries of a one-page B+ tree whose file starts at `at`, each the size its kind gives.
  std::vector<Bytes> LeafEntries(std::size_t at) const {
    const std::size_t tree = at + 9;
    EXPECT_EQ(Get16(file_, tree), 0x293B);
    const std::string structure(reinterpret_cast<const char*>(&file_[tree + 6]));
    const std::size_t page = tree + 38;
    std::size_t entry = page + 8;
    std::vector<Bytes> entries;
    for (int i = 0; i < Get16(file_, page + 2); ++i) {
      std::size_t size = structure == "L4" ? 8 : 0;
      if (structure != "L4") {
        size = std::string(reinterpret_cast<const char*>(&file_[entry])).size() + 1;
        size += structure == "z4" ? 4 : 6;
      }
      entries.emplace_back(file_.begin() + entry, file_.begin() + entry + size);
      entry += size;
    }
    return entries;
  }
  std::size_t Data(const std::string& name) const { return files.at(name) + 9; }

  void ReadTopics() {
    const std::size_t topic = Data("|TOPIC");
    for (std::uint32_t ref = 0x0C; ref != 0xFFFFFFFF;) {
      const std::uint32_t block = (ref - 0x0C) >> 14;
      const std::size_t at = topic + block * 0x1000 + 0x0C + ((ref - 0x0C) & 0x3FFF);
      const std::uint32_t dataLen1 = Get32(file_, at + 0x10);
      const std::string text2(reinterpret_cast<const char*>(&file_[at + dataLen1]),
                              Get32(file_, at + 4));
      if (file_[at + 0x14] == 0x02) {
        topics.push_back({text2.c_str(), {}, {}});
        offsets[block * 0x8000] = topics.size() - 1;
      } else {
        for (char c : text2) topics.back().text += c == '\0' ? '|' : c;
        ReadJumps(at, dataLen1);
      }
      ref = Get32(file_, at + 0x0C);
    }
  }
  void ReadJumps(std::size_t at, std::uint32_t dataLen1) {
    std::size_t command = at + 0x15;
    command += (file_[command] & 1) ? 4 : 2;  // the text's size
    command += (file_[command] & 1) ? 2 : 1;  // its characters
    command += 4;
    const std::uint16_t bits = Get16(file_, command);
    command += 2 + ((bits & 0x0004) ? 1 : 0);
    while (command < at + dataLen1 && file_[command] != 0xFF) {
      switch (file_[command]) {
        case 0x80:
          command += 3;
          break;
        case 0xE3:
          topics.back().jumps.push_back(static_cast<std::int32_t>(Get32(file_, command + 1)));
          command += 5;
          break;
        default:
          ++command;
      }
    }
  }
  // The title of the topic a TOPICOFFSET names.
  std::string TitleAt(std::uint32_t offset) const {
    return offsets.count(offset) ? topics[offsets.at(offset)].title : "(no topic)";
  }

  const Bytes& file_;
  std::map<std::string, std::uint32_t> files;
  std::vector<Topic> topics;
  std::map<std::uint32_t, std::size_t> offsets;
  std::map<std::int32_t, std::uint32_t> mapped;
  std::map<std::int32_t, std::uint32_t> contexts;
};

Bytes Write(const std::string& text) {
  std::string error;
  const auto source = help::ParseTopics(text, &error);
  EXPECT_TRUE(source) << error;
  if (!source) return {};
  Bytes file = help::WriteHelpFile(*source, &error);
  EXPECT_FALSE(file.empty()) << error;
  return file;
}

std::string ErrorOf(const std::string& text) {
  std::string error;
  const auto source = help::ParseTopics(text, &error);
  if (source) help::WriteHelpFile(*source, &error);
  return error;
}

TEST(HelpFileTest, TwoTopicsReadBackWithTitlesTextsContextsMapAndJumps) {
  const Bytes file = Write(
      "Title: Sample\n== First topic\nContext: first\nSee [the second](Second.one) for more.\n\n"
      "- a bullet\n== Second topic\nContext: second.one\nMap: 120, 7\nKeywords: more\nIts text\n"
      "over two lines.\n");
  const HelpReader help(file);
  for (const char* name :
       {"|CONTEXT", "|CTXOMAP", "|FONT", "|KWBTREE", "|KWDATA", "|SYSTEM", "|TOPIC"}) {
    EXPECT_TRUE(help.files.count(name)) << name;
  }
  ASSERT_EQ(help.topics.size(), 2u);
  EXPECT_EQ(help.topics[0].title, "First topic");
  EXPECT_NE(help.topics[0].text.find("|See |the second| for more.|"), std::string::npos)
      << help.topics[0].text;
  EXPECT_NE(help.topics[0].text.find("\x95 a bullet"), std::string::npos);
  EXPECT_NE(help.topics[1].text.find("Its text over two lines."), std::string::npos);
  // The jump, the context and the map numbers all lead to the second topic.
  ASSERT_EQ(help.topics[0].jumps.size(), 1u);
  EXPECT_EQ(help.TitleAt(help.contexts.at(help.topics[0].jumps[0])), "Second topic");
  EXPECT_EQ(help.TitleAt(help.contexts.at(help::ContextHash("SECOND.ONE"))), "Second topic");
  EXPECT_EQ(help.TitleAt(help.contexts.at(help::ContextHash("first"))), "First topic");
  EXPECT_EQ(help.TitleAt(help.mapped.at(120)), "Second topic");
  EXPECT_EQ(help.TitleAt(help.mapped.at(7)), "Second topic");
  // The file is the same on every build.
  EXPECT_EQ(Write("Title: Sample\n== First topic\nContext: first\nSee [the second](Second.one) for "
                  "more.\n\n"
                  "- a bullet\n== Second topic\nContext: second.one\nMap: 120, 7\nKeywords: "
                  "more\nIts text\n"
                  "over two lines.\n"),
            file);
}

TEST(HelpFileTest, HashesIgnoreLetterCaseAndCharactersOutsideTheirSet) {
  EXPECT_EQ(help::ContextHash("Refresh"), help::ContextHash("REFRESH"));
  EXPECT_EQ(help::ContextHash("peek-well"), help::ContextHash("peekwell"));
  EXPECT_NE(help::ContextHash("zoom"), help::ContextHash("zoom0"));
  EXPECT_EQ(help::ContextHash(""), 0);
}

TEST(HelpFileTest, SourcesThatBreakTheRulesAreRefusedWithTheirLine) {
  EXPECT_EQ(ErrorOf("== A\nSee [there](nowhere).\n"),
            "line 2: \"A\" jumps to nowhere, which no topic has");
  EXPECT_EQ(ErrorOf("== A\nMap: 5\n== B\nMap: 5\n"), "line 4: the map number 5 twice");
  EXPECT_EQ(ErrorOf("== A\nContext: a\n== B\nContext: A\n"), "line 4: the context A twice");
  EXPECT_EQ(ErrorOf("== A\nMap: 12x\n"), "line 2: a map number");
  EXPECT_EQ(ErrorOf("== A\nCaf\xc3\xa9\n"), "line 2: only ASCII text");
  EXPECT_EQ(ErrorOf("Some text\n== A\n"), "line 1: text before the first topic");
  EXPECT_EQ(ErrorOf(""), "line 0: no topic");
  EXPECT_EQ(ErrorOf("== Long\n" + std::string(5000, 'x') + "\n"),
            "the topic \"Long\" is longer than a topic block");
}

// The suite's own help files have the topics its programs open.
TEST(HelpFileTest, TheSuitesHelpFilesHaveEveryContextTheProgramsOpen) {
  const std::string root = std::string(__FILE__).substr(0, std::string(__FILE__).rfind("/tests/"));
  const auto read = [&](const std::string& path) {
    std::ifstream in(root + "/" + path);
    std::stringstream text;
    text << in.rdbuf();
    return Write(text.str());
  };
  const Bytes vistrelFile = read("vistrel/help/vistrel.topics");
  const HelpReader vistrel(vistrelFile);
  for (int id : {120, 150, 160}) EXPECT_TRUE(vistrel.mapped.count(id)) << id;
  for (const char* context : {"Refresh", "zoom", "peekwell"}) {
    EXPECT_TRUE(vistrel.contexts.count(help::ContextHash(context))) << context;
  }
  const Bytes jubiloFile = read("jubilo/help/jubilo.topics");
  const HelpReader jubilo(jubiloFile);
  for (int id : {100, 110, 120, 140, 160, 170}) EXPECT_TRUE(jubilo.mapped.count(id)) << id;
}

}  // namespace
