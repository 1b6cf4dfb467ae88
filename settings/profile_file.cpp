#include "settings/profile_file.h"

#include "engine/atomic_file.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

namespace qw {
namespace {

constexpr size_t npos = std::string::npos;

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
  return text;
}

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

// Cuts UTF-8 text to at most `bytes` bytes without splitting a character.
std::string CutUtf8(std::string_view text, size_t bytes) {
  if (text.size() <= bytes) return std::string(text);
  size_t end = bytes;
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  return std::string(text.substr(0, end));
}

std::string OneLine(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c == '\n' || c == '\r') c = ' ';
  }
  return out;
}

}  // namespace

int32_t ProfileInteger(std::string_view text, int32_t empty) {
  text = Trim(text);
  if (text.empty()) return empty;
  bool negative = false;
  if (text.front() == '-' || text.front() == '+') {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  uint32_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') break;
    value = value * 10u + static_cast<uint32_t>(c - '0');
  }
  if (negative) value = 0u - value;
  return static_cast<int32_t>(value);
}

ProfileFile::Line ProfileFile::ParseLine(std::string text) {
  Line line;
  std::string_view body = Trim(text);
  if (!body.empty() && body.front() == '[') {
    body.remove_prefix(1);
    size_t close = body.find(']');
    line.kind = Line::Kind::Section;
    line.name = std::string(Trim(body.substr(0, close)));
  } else if (!body.empty() && body.front() != ';') {
    size_t equals = body.find('=');
    if (equals != npos && equals > 0) {
      std::string_view name = Trim(body.substr(0, equals));
      if (!name.empty()) {
        line.kind = Line::Kind::Key;
        line.name = std::string(name);
        line.value = std::string(Trim(body.substr(equals + 1)));
      }
    }
  }
  line.text = std::move(text);
  return line;
}

ProfileFile::LoadResult ProfileFile::Load() {
  lines_.clear();
  edits_.clear();
  writeProtected_ = false;
  loadProblem_.clear();

  std::error_code error;
  const auto status = std::filesystem::status(path_, error);
  if (!std::filesystem::exists(status)) return LoadResult::Missing;

  auto refuse = [&](LoadResult result, std::string why) {
    writeProtected_ = true;
    loadProblem_ = std::move(why);
    return result;
  };
  if (!std::filesystem::is_regular_file(status)) {
    return refuse(LoadResult::Unreadable, "'" + path_.string() + "' is not a regular file.");
  }
  const auto size = std::filesystem::file_size(path_, error);
  if (error) return refuse(LoadResult::Unreadable, "Cannot read '" + path_.string() + "': " + error.message());
  if (size > kMaxFileBytes) {
    return refuse(LoadResult::TooLarge, "'" + path_.string() + "' is too large to be a settings file.");
  }
  std::ifstream in(path_, std::ios::binary);
  std::stringstream buffer;
  if (in) buffer << in.rdbuf();
  if (!in || in.bad()) {
    return refuse(LoadResult::Unreadable,
                  "Cannot read '" + path_.string() + "': " + std::strerror(errno));
  }
  LoadFromText(buffer.str());
  return LoadResult::Loaded;
}

void ProfileFile::LoadFromText(std::string_view text) {
  lines_.clear();
  edits_.clear();
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == npos) end = text.size();
    std::string_view raw = text.substr(start, end - start);
    if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
    lines_.push_back(ParseLine(std::string(raw)));
    start = end + 1;
  }
}

std::string ProfileFile::Text() const {
  std::string out;
  for (const Line& line : lines_) {
    out += line.text;
    out += '\n';
  }
  return out;
}

bool ProfileFile::Save(std::string* error) {
  auto fail = [&](std::string why) {
    if (error) *error = std::move(why);
    return false;
  };
  if (writeProtected_) return fail(loadProblem_);
  if (path_.empty()) return fail("No settings file name.");

  std::error_code ec;
  const auto directory = path_.has_parent_path() ? path_.parent_path() : std::filesystem::path(".");
  std::filesystem::create_directories(directory, ec);

  // The file as it is now, with this program's changes over it.
  ProfileFile onDisk(path_);
  std::string text;
  switch (onDisk.Load()) {
    case LoadResult::Loaded:
      for (const Edit& edit : edits_) onDisk.Apply(edit);
      text = onDisk.Text();
      break;
    case LoadResult::Missing:
      text = Text();
      break;
    case LoadResult::Unreadable:
    case LoadResult::TooLarge:
      return fail(onDisk.loadProblem());
  }
  std::string why;
  if (!WriteFileAtomically(path_.string(), std::vector<uint8_t>(text.begin(), text.end()), &why)) {
    return fail(why);
  }
  edits_.clear();
  return true;
}

void ProfileFile::Record(Edit edit) {
  // A later change of a key overrides every earlier change of that key.
  if (edit.kind != Edit::Kind::RemoveSection) {
    std::erase_if(edits_, [&](const Edit& e) {
      return e.kind != Edit::Kind::RemoveSection && SameName(e.section, edit.section) && SameName(e.key, edit.key);
    });
  }
  edits_.push_back(std::move(edit));
}

void ProfileFile::Apply(const Edit& edit) {
  switch (edit.kind) {
    case Edit::Kind::Set:
      WriteString(edit.section, edit.key, edit.value);
      break;
    case Edit::Kind::RemoveKey:
      RemoveKey(edit.section, edit.key);
      break;
    case Edit::Kind::RemoveSection:
      RemoveSection(edit.section);
      break;
  }
}

size_t ProfileFile::FindKey(std::string_view section, std::string_view key) const {
  bool inSection = false;
  for (size_t i = 0; i < lines_.size(); ++i) {
    const Line& line = lines_[i];
    if (line.kind == Line::Kind::Section) {
      inSection = SameName(line.name, section);
    } else if (inSection && line.kind == Line::Kind::Key && SameName(line.name, key)) {
      return i;
    }
  }
  return npos;
}

bool ProfileFile::HasKey(std::string_view section, std::string_view key) const {
  return FindKey(section, key) != npos;
}

bool ProfileFile::HasSection(std::string_view section) const {
  for (const Line& line : lines_) {
    if (line.kind == Line::Kind::Section && SameName(line.name, section)) return true;
  }
  return false;
}

std::string ProfileFile::ReadString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue, size_t bufferLength) const {
  if (bufferLength == 0) return std::string();
  size_t index = FindKey(section, key);
  std::string_view value = defaultValue;
  if (index != npos) {
    value = lines_[index].value;
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
      value = value.substr(1, value.size() - 2);
    }
  }
  return CutUtf8(value, bufferLength - 1);
}

int32_t ProfileFile::ReadInt(std::string_view section, std::string_view key,
                             int32_t defaultValue) const {
  size_t index = FindKey(section, key);
  if (index == npos) return defaultValue;
  return ProfileInteger(ReadString(section, key, "", 4096), defaultValue);
}

void ProfileFile::WriteString(std::string_view section, std::string_view key,
                              std::string_view value) {
  const std::string cleanKey = OneLine(Trim(key));
  const std::string cleanValue = OneLine(value);
  if (cleanKey.empty()) return;
  size_t index = FindKey(section, cleanKey);
  if (index != npos) {
    Line changed = ParseLine(lines_[index].name + "=" + cleanValue);
    if (changed.value == lines_[index].value) return;
    lines_[index] = std::move(changed);
    Record({Edit::Kind::Set, std::string(section), cleanKey, cleanValue});
    return;
  }
  Record({Edit::Kind::Set, std::string(section), cleanKey, cleanValue});
  // Append after the last key line of the first section of that name.
  size_t insertAt = npos;
  bool inSection = false;
  for (size_t i = 0; i < lines_.size(); ++i) {
    const Line& line = lines_[i];
    if (line.kind == Line::Kind::Section) {
      if (inSection) break;
      inSection = SameName(line.name, section);
      if (inSection) insertAt = i + 1;
    } else if (inSection && line.kind != Line::Kind::Other) {
      insertAt = i + 1;
    } else if (inSection && !Trim(line.text).empty()) {
      insertAt = i + 1;  // keep comments inside the section above the new key
    }
  }
  Line newLine = ParseLine(cleanKey + "=" + cleanValue);
  if (insertAt != npos) {
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt), std::move(newLine));
    return;
  }
  if (!lines_.empty() && !Trim(lines_.back().text).empty()) lines_.push_back(ParseLine(""));
  lines_.push_back(ParseLine("[" + OneLine(Trim(section)) + "]"));
  lines_.push_back(std::move(newLine));
}

void ProfileFile::WriteInt(std::string_view section, std::string_view key, int64_t value) {
  WriteString(section, key, std::to_string(value));
}

void ProfileFile::RemoveKey(std::string_view section, std::string_view key) {
  if (FindKey(section, key) != npos) Record({Edit::Kind::RemoveKey, std::string(section), std::string(key), {}});
  for (size_t index = FindKey(section, key); index != npos; index = FindKey(section, key)) {
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(index));
  }
}

void ProfileFile::RemoveSection(std::string_view section) {
  if (!HasSection(section)) return;
  Record({Edit::Kind::RemoveSection, std::string(section), {}, {}});
  std::vector<Line> kept;
  kept.reserve(lines_.size());
  bool removing = false;
  for (Line& line : lines_) {
    if (line.kind == Line::Kind::Section) removing = SameName(line.name, section);
    if (!removing) kept.push_back(std::move(line));
  }
  // Drop a blank line left dangling at the end.
  while (!kept.empty() && Trim(kept.back().text).empty()) kept.pop_back();
  lines_ = std::move(kept);
}

void ProfileFile::ReplaceSection(std::string_view section,
                                 const std::vector<std::pair<std::string, std::string>>& keys) {
  std::vector<std::pair<std::string, std::string>> held;
  bool inSection = false;
  for (const Line& line : lines_) {
    if (line.kind == Line::Kind::Section) {
      inSection = SameName(line.name, section);
    } else if (inSection && line.kind == Line::Kind::Key) {
      held.emplace_back(line.name, line.value);
    }
  }
  bool same = held.size() == keys.size();
  for (size_t i = 0; same && i < keys.size(); ++i) {
    same = SameName(held[i].first, keys[i].first) && held[i].second == Trim(OneLine(keys[i].second));
  }
  if (same) return;
  RemoveSection(section);
  for (const auto& [key, value] : keys) WriteString(section, key, value);
}

std::vector<std::string> ProfileFile::Keys(std::string_view section) const {
  std::vector<std::string> keys;
  bool inSection = false;
  for (const Line& line : lines_) {
    if (line.kind == Line::Kind::Section) {
      inSection = SameName(line.name, section);
    } else if (inSection && line.kind == Line::Kind::Key) {
      bool seen = false;
      for (const std::string& k : keys) seen = seen || SameName(k, line.name);
      if (!seen) keys.push_back(line.name);
    }
  }
  return keys;
}

}  // namespace qw
