#include "common/help/help_file.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <sstream>

#include "common/text/letter_case.h"

namespace help {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Record types of the topic file and the format commands of a paragraph.
constexpr std::uint8_t kTopicHeader = 0x02;
constexpr std::uint8_t kDisplay = 0x20;
constexpr std::uint8_t kFontChange = 0x80;
constexpr std::uint8_t kParagraphEnd = 0x82;
constexpr std::uint8_t kJumpByHash = 0xE3;
constexpr std::uint8_t kLinkEnd = 0x89;
constexpr std::uint8_t kCommandsEnd = 0xFF;

constexpr std::uint32_t kTopicBlockSize = 0x1000;
constexpr std::uint32_t kBlockHeaderSize = 12;
constexpr std::uint32_t kNone = 0xFFFFFFFF;
constexpr std::uint16_t kTreePageSize = 0x0800;
// Fonts: the text, the topic's title, and a bullet's.
constexpr std::uint16_t kBodyFont = 0;
constexpr std::uint16_t kTitleFont = 1;

void Put16(Bytes& out, std::uint32_t value) {
  out.push_back(value & 0xFF);
  out.push_back(value >> 8 & 0xFF);
}
void Put32(Bytes& out, std::uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}
void Set32(Bytes& out, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out[at + i] = value >> (8 * i) & 0xFF;
}
void PutText(Bytes& out, const std::string& text) {
  out.insert(out.end(), text.begin(), text.end());
  out.push_back(0);
}
// The viewers' compressed numbers: small values in half the bytes, the low bit telling which.
void PutCompressedUnsigned16(Bytes& out, std::uint32_t value) {
  if (value < 0x80) {
    out.push_back(static_cast<std::uint8_t>(value * 2));
  } else {
    Put16(out, value * 2 + 1);
  }
}
void PutCompressedSigned32(Bytes& out, std::int32_t value) {
  Put16(out, static_cast<std::uint32_t>(value * 2 + 0x8000));
}

std::string Trim(const std::string& text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

bool ValidContext(const std::string& context) {
  return !context.empty() && std::all_of(context.begin(), context.end(), [](unsigned char c) {
    return std::isalnum(c) || c == '.' || c == '_';
  });
}

// "[shown](context)" marks a jump; everything else is text.
std::vector<Span> SplitSpans(const std::string& text) {
  std::vector<Span> spans;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t open = text.find('[', at);
    const std::size_t close = open == std::string::npos ? open : text.find("](", open);
    const std::size_t end = close == std::string::npos ? close : text.find(')', close);
    if (end == std::string::npos) {
      spans.push_back({text.substr(at), {}});
      break;
    }
    if (open > at) spans.push_back({text.substr(at, open - at), {}});
    spans.push_back(
        {text.substr(open + 1, close - open - 1), text.substr(close + 2, end - close - 2)});
    at = end + 1;
  }
  return spans;
}

std::vector<std::string> SplitList(const std::string& text, char separator) {
  std::vector<std::string> items;
  std::stringstream stream(text);
  std::string item;
  while (std::getline(stream, item, separator)) {
    if (!Trim(item).empty()) items.push_back(Trim(item));
  }
  return items;
}

// A B+ tree of one leaf page, as the viewers search it.
Bytes Tree(const char* structure, const std::vector<Bytes>& entries, std::string* error) {
  Bytes page;
  for (const Bytes& entry : entries) page.insert(page.end(), entry.begin(), entry.end());
  if (page.size() + 8 > kTreePageSize) {
    *error = "an index of the help file does not fit its page";
    return {};
  }
  Bytes tree;
  Put16(tree, 0x293B);
  Put16(tree, 0x0402);
  Put16(tree, kTreePageSize);
  std::string name(structure);
  name.resize(16, '\0');
  tree.insert(tree.end(), name.begin(), name.end());
  Put16(tree, 0);       // must be zero
  Put16(tree, 0);       // page splits
  Put16(tree, 0);       // root page
  Put16(tree, 0xFFFF);  // must be -1
  Put16(tree, 1);       // pages
  Put16(tree, 1);       // levels
  Put32(tree, static_cast<std::uint32_t>(entries.size()));
  Put16(tree, static_cast<std::uint32_t>(kTreePageSize - 8 - page.size()));
  Put16(tree, static_cast<std::uint32_t>(entries.size()));
  Put16(tree, 0xFFFF);  // previous page
  Put16(tree, 0xFFFF);  // next page
  tree.insert(tree.end(), page.begin(), page.end());
  tree.resize(38 + kTreePageSize, 0);
  return tree;
}

// One record of the topic file, its links to the records before and after filled in later.
struct Record {
  std::uint8_t type;
  Bytes linkData1;
  Bytes linkData2;
  std::uint32_t position = 0;  // TOPICPOS
};

Record TopicHeaderRecord(const Topic& topic) {
  Record record{kTopicHeader, Bytes(28, 0), {}};
  PutText(record.linkData2, topic.title);
  return record;
}

Record ParagraphRecord(const Paragraph& paragraph, std::uint16_t font, bool spaced) {
  Record record{kDisplay, {}, {}};
  // Texts and commands alternate: each command follows one text, empty or not.
  Bytes commands;
  std::string texts;
  std::string text;
  std::uint32_t characters = 0;
  const auto command = [&](std::initializer_list<std::uint8_t> bytes) {
    texts += text;
    texts += '\0';
    characters += static_cast<std::uint32_t>(text.size());
    text.clear();
    commands.insert(commands.end(), bytes);
  };
  command({kFontChange, static_cast<std::uint8_t>(font), static_cast<std::uint8_t>(font >> 8)});
  for (const Span& span : paragraph.spans) {
    if (span.jump.empty()) {
      text += span.text;
      continue;
    }
    const auto hash = static_cast<std::uint32_t>(ContextHash(span.jump));
    command({kJumpByHash, static_cast<std::uint8_t>(hash), static_cast<std::uint8_t>(hash >> 8),
             static_cast<std::uint8_t>(hash >> 16), static_cast<std::uint8_t>(hash >> 24)});
    text = span.text;
    command({kLinkEnd});
  }
  command({kParagraphEnd});
  ++characters;
  command({kCommandsEnd});
  PutCompressedSigned32(record.linkData1, static_cast<std::int32_t>(texts.size()));
  PutCompressedUnsigned16(record.linkData1, characters);
  Put32(record.linkData1, 0);
  Put16(record.linkData1, spaced ? 0x0004 : 0x0000);  // space after the paragraph
  if (spaced) record.linkData1.push_back(static_cast<std::uint8_t>(2 * 6 + 0x80));
  record.linkData1.insert(record.linkData1.end(), commands.begin(), commands.end());
  record.linkData2.assign(texts.begin(), texts.end());
  return record;
}

std::uint32_t RecordSize(const Record& record) {
  return static_cast<std::uint32_t>(0x15 + record.linkData1.size() + record.linkData2.size());
}

struct LaidOutTopics {
  Bytes file;
  std::vector<std::uint32_t> offsets;  // each topic's TOPICOFFSET
};

// Each topic starts a topic block of its own, so that its offset is its block's.
LaidOutTopics LayOutTopics(const HelpSource& source, std::string* error) {
  std::vector<std::vector<Record>> topics;
  for (const Topic& topic : source.topics) {
    std::vector<Record> records{TopicHeaderRecord(topic)};
    Paragraph title{{{topic.title, {}}}};
    records.push_back(ParagraphRecord(title, kTitleFont, true));
    for (const Paragraph& paragraph : topic.paragraphs) {
      records.push_back(ParagraphRecord(paragraph, kBodyFont, true));
    }
    topics.push_back(records);
  }
  LaidOutTopics laid;
  const std::uint32_t room = kTopicBlockSize - kBlockHeaderSize;
  for (std::size_t t = 0; t < topics.size(); ++t) {
    const auto block = static_cast<std::uint32_t>(t);
    laid.offsets.push_back(block * 0x8000);
    std::uint32_t used = 0;
    for (Record& record : topics[t]) {
      record.position = (block << 14) + kBlockHeaderSize + used;
      used += RecordSize(record);
    }
    if (used > room) {
      *error = "the topic \"" + source.topics[t].title + "\" is longer than a topic block";
      return {};
    }
  }
  // The records of all topics form one chain.
  std::vector<Record*> chain;
  for (auto& records : topics) {
    for (Record& record : records) chain.push_back(&record);
  }
  for (std::size_t t = 0; t < topics.size(); ++t) {
    Bytes& header = topics[t][0].linkData1;
    std::uint32_t topicSize = 0;
    for (const Record& record : topics[t]) topicSize += RecordSize(record);
    Set32(header, 0, topicSize);
    Set32(header, 4, t > 0 ? laid.offsets[t - 1] : kNone);
    Set32(header, 8, t + 1 < topics.size() ? laid.offsets[t + 1] : kNone);
    Set32(header, 12, static_cast<std::uint32_t>(t));
    Set32(header, 16, kNone);
    Set32(header, 20, topics[t].size() > 1 ? topics[t][1].position : kNone);
    Set32(header, 24, t + 1 < topics.size() ? topics[t + 1][0].position : kNone);
  }
  for (std::size_t t = 0; t < topics.size(); ++t) {
    Bytes block;
    Put32(block, topics[t].back().position);
    Put32(block, topics[t].front().position);
    Put32(block, topics[t].front().position);
    for (Record& record : topics[t]) {
      const auto index = std::find(chain.begin(), chain.end(), &record) - chain.begin();
      Put32(block, RecordSize(record));
      Put32(block, static_cast<std::uint32_t>(record.linkData2.size()));
      Put32(block, index > 0 ? chain[index - 1]->position : kNone);
      Put32(block, static_cast<std::size_t>(index + 1) < chain.size() ? chain[index + 1]->position
                                                                      : kNone);
      Put32(block, static_cast<std::uint32_t>(0x15 + record.linkData1.size()));
      block.push_back(record.type);
      block.insert(block.end(), record.linkData1.begin(), record.linkData1.end());
      block.insert(block.end(), record.linkData2.begin(), record.linkData2.end());
    }
    block.resize(kTopicBlockSize, 0);
    laid.file.insert(laid.file.end(), block.begin(), block.end());
  }
  return laid;
}

Bytes SystemFile(const HelpSource& source) {
  Bytes system;
  Put16(system, 0x036C);  // magic
  Put16(system, 21);      // the format of WinHelp 3.1
  Put16(system, 1);
  Put32(system, 0);  // made: no date, so that every build writes the same file
  Put16(system, 0);  // topic blocks of 4 KB, not compressed
  Put16(system, 1);  // the title
  Put16(system, static_cast<std::uint32_t>(source.title.size() + 1));
  PutText(system, source.title);
  Put16(system, 3);  // the contents: the first topic
  Put16(system, 4);
  Put32(system, 0);
  return system;
}

Bytes FontFile() {
  Bytes font;
  constexpr std::uint16_t kFaceLength = 20;
  Put16(font, 1);  // face names
  Put16(font, 2);  // descriptors
  Put16(font, 8);
  Put16(font, 8 + kFaceLength);
  std::string face = "Arial";
  face.resize(kFaceLength, '\0');
  font.insert(font.end(), face.begin(), face.end());
  // Attributes (1 bold), half points, family (3 Swiss), face, text and background colours.
  const std::uint8_t body[] = {0, 20, 3, 0, 0, 0, 0, 0, 255, 255, 255};
  const std::uint8_t title[] = {1, 28, 3, 0, 0, 0, 0, 0x80, 255, 255, 255};
  font.insert(font.end(), std::begin(body), std::end(body));
  font.insert(font.end(), std::begin(title), std::end(title));
  return font;
}

}  // namespace

std::int32_t ContextHash(const std::string& context) {
  std::uint32_t hash = 0;
  for (unsigned char c : context) {
    std::uint32_t value = 0;
    if (c >= 'A' && c <= 'Z') value = c - 'A' + 17;
    if (c >= 'a' && c <= 'z') value = c - 'a' + 17;
    if (c >= '1' && c <= '9') value = c - '0';
    if (c == '0') value = 10;
    if (c == '.') value = 12;
    if (c == '_') value = 13;
    if (value != 0) hash = hash * 43 + value;
  }
  return static_cast<std::int32_t>(hash);
}

std::optional<HelpSource> ParseTopics(const std::string& text, std::string* error) {
  HelpSource source;
  std::stringstream lines(text);
  std::string line;
  std::string pending;
  int number = 0;
  const auto fail = [&](const std::string& what) {
    *error = "line " + std::to_string(number) + ": " + what;
    return std::nullopt;
  };
  const auto flush = [&] {
    if (!pending.empty() && !source.topics.empty()) {
      source.topics.back().paragraphs.push_back({SplitSpans(pending)});
    }
    pending.clear();
  };
  while (std::getline(lines, line)) {
    ++number;
    line = Trim(line);
    if (std::any_of(line.begin(), line.end(), [](unsigned char c) { return c >= 0x80; })) {
      return fail("only ASCII text");
    }
    if (line.rfind("Title:", 0) == 0 && source.topics.empty()) {
      source.title = Trim(line.substr(6));
    } else if (line.rfind("== ", 0) == 0) {
      flush();
      source.topics.push_back({Trim(line.substr(3)), {}, {}, {}, {}});
    } else if (source.topics.empty()) {
      if (!line.empty()) return fail("text before the first topic");
    } else if (line.rfind("Context:", 0) == 0) {
      source.topics.back().context = Trim(line.substr(8));
      if (!ValidContext(source.topics.back().context))
        return fail("a context of letters, digits, . and _");
    } else if (line.rfind("Map:", 0) == 0) {
      for (const std::string& id : SplitList(line.substr(4), ',')) {
        if (id.find_first_not_of("0123456789") != std::string::npos) return fail("a map number");
        source.topics.back().mapIds.push_back(std::stoi(id));
      }
    } else if (line.rfind("Keywords:", 0) == 0) {
      source.topics.back().keywords = SplitList(line.substr(9), ';');
    } else if (line.empty()) {
      flush();
    } else if (line.rfind("- ", 0) == 0) {
      flush();
      pending = "\x95 " + line.substr(2);
      flush();
    } else {
      pending += (pending.empty() ? "" : " ") + line;
    }
  }
  flush();
  if (source.topics.empty()) return fail("no topic");
  std::set<std::string> contexts;
  std::set<std::int32_t> ids;
  for (const Topic& topic : source.topics) {
    if (!topic.context.empty() && !contexts.insert(text::Lower(topic.context)).second) {
      return fail("the context " + topic.context + " twice");
    }
    for (std::int32_t id : topic.mapIds) {
      if (!ids.insert(id).second) return fail("the map number " + std::to_string(id) + " twice");
    }
  }
  for (const Topic& topic : source.topics) {
    for (const Paragraph& paragraph : topic.paragraphs) {
      for (const Span& span : paragraph.spans) {
        if (!span.jump.empty() && !contexts.count(text::Lower(span.jump))) {
          return fail("\"" + topic.title + "\" jumps to " + span.jump + ", which no topic has");
        }
      }
    }
  }
  return source;
}

std::vector<std::uint8_t> WriteHelpFile(const HelpSource& source, std::string* error) {
  const LaidOutTopics topics = LayOutTopics(source, error);
  if (topics.file.empty()) return {};

  std::vector<std::pair<std::int32_t, std::uint32_t>> hashes;
  Bytes map;
  Put16(map, 0);
  std::uint32_t mapped = 0;
  std::map<std::string, std::vector<std::uint32_t>> keywords;
  for (std::size_t t = 0; t < source.topics.size(); ++t) {
    const Topic& topic = source.topics[t];
    if (!topic.context.empty()) hashes.push_back({ContextHash(topic.context), topics.offsets[t]});
    for (std::int32_t id : topic.mapIds) {
      Put32(map, static_cast<std::uint32_t>(id));
      Put32(map, topics.offsets[t]);
      ++mapped;
    }
    keywords[topic.title].push_back(topics.offsets[t]);
    for (const std::string& keyword : topic.keywords)
      keywords[keyword].push_back(topics.offsets[t]);
  }
  map[0] = mapped & 0xFF;
  map[1] = mapped >> 8 & 0xFF;
  std::sort(hashes.begin(), hashes.end());

  std::vector<Bytes> contextEntries;
  for (const auto& [hash, offset] : hashes) {
    Bytes entry;
    Put32(entry, static_cast<std::uint32_t>(hash));
    Put32(entry, offset);
    contextEntries.push_back(entry);
  }
  std::vector<std::pair<std::string, std::vector<std::uint32_t>>> sortedKeywords(keywords.begin(),
                                                                                 keywords.end());
  std::sort(sortedKeywords.begin(), sortedKeywords.end(), [](const auto& a, const auto& b) {
    return text::Lower(a.first) < text::Lower(b.first);
  });
  std::vector<Bytes> keywordEntries;
  Bytes keywordData;
  for (const auto& [keyword, offsets] : sortedKeywords) {
    Bytes entry;
    PutText(entry, keyword);
    Put16(entry, static_cast<std::uint32_t>(offsets.size()));
    Put32(entry, static_cast<std::uint32_t>(keywordData.size()));
    keywordEntries.push_back(entry);
    for (std::uint32_t offset : offsets) Put32(keywordData, offset);
  }

  // The internal files in the order of their names, then the directory that finds them.
  const std::vector<std::pair<std::string, Bytes>> files = {
      {"|CONTEXT", Tree("L4", contextEntries, error)},
      {"|CTXOMAP", map},
      {"|FONT", FontFile()},
      {"|KWBTREE", Tree("z24", keywordEntries, error)},
      {"|KWDATA", keywordData},
      {"|SYSTEM", SystemFile(source)},
      {"|TOPIC", topics.file}};
  if (!error->empty()) return {};
  Bytes help(16, 0);
  std::vector<Bytes> directory;
  for (const auto& [name, data] : files) {
    Bytes entry;
    PutText(entry, name);
    Put32(entry, static_cast<std::uint32_t>(help.size()));
    directory.push_back(entry);
    Put32(help, static_cast<std::uint32_t>(data.size() + 9));
    Put32(help, static_cast<std::uint32_t>(data.size()));
    help.push_back(4);
    help.insert(help.end(), data.begin(), data.end());
  }
  const Bytes tree = Tree("z4", directory, error);
  if (!error->empty()) return {};
  const auto directoryStart = static_cast<std::uint32_t>(help.size());
  Put32(help, static_cast<std::uint32_t>(tree.size() + 9));
  Put32(help, static_cast<std::uint32_t>(tree.size()));
  help.push_back(4);
  help.insert(help.end(), tree.begin(), tree.end());
  Set32(help, 0, 0x00035F3F);
  Set32(help, 4, directoryStart);
  Set32(help, 8, kNone);
  Set32(help, 12, static_cast<std::uint32_t>(help.size()));
  return help;
}

}  // namespace help
