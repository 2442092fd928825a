#pragma once
// The suite's help files: topic sources in plain text, and the Windows help file (.HLP) that
// WinHelp viewers read, written without a help compiler: an uncompressed file of the format
// WinHelp 3.1 introduced, with the parts a viewer needs (the internal directory, |SYSTEM, |FONT,
// |TOPIC, |CONTEXT, |CTXOMAP, |KWBTREE and |KWDATA).
//
// A topic source:
//   Title: Vistrel Help                  the file's title, once, before the topics
//   == Display Configuration             a topic, titled; the first is the contents
//   Context: display                     the name JI and links jump to (letters, digits, . _)
//   Map: 120, 121                        the numbers HELP_CONTEXT opens the topic by
//   Keywords: colours; desktop area      index entries besides the title
//   Lines up to a blank line make a paragraph; [shown text](context) jumps to a topic;
//   a line that starts with "- " is a paragraph of its own, with a bullet.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace help {

struct Span {
  std::string text;
  std::string jump;  // the context of the topic it jumps to; empty for plain text
};

struct Paragraph {
  std::vector<Span> spans;
};

struct Topic {
  std::string title;
  std::string context;
  std::vector<std::int32_t> mapIds;
  std::vector<std::string> keywords;
  std::vector<Paragraph> paragraphs;
};

struct HelpSource {
  std::string title;
  std::vector<Topic> topics;
};

// WinHelp's hash of a context string, by which links and JI find their topic.
std::int32_t ContextHash(const std::string& context);

// The source's topics; nothing, with `error` saying what and on which line, for a source that
// breaks the rules (a link to a context no topic has, a map number given twice, ...).
std::optional<HelpSource> ParseTopics(const std::string& text, std::string* error);

// The help file's bytes; empty, with `error`, when a topic is too long for one topic block
// or the index too long for one page.
std::vector<std::uint8_t> WriteHelpFile(const HelpSource& source, std::string* error);

}  // namespace help
