#include "stations/user_files.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "engine/string_table.h"

namespace qw {
namespace {

namespace fs = std::filesystem;

constexpr int kMaxAsideNames = 1000;

std::string AsideCandidate(const std::string& path, int n, std::string_view suffix = kDamagedSuffix) {
  return path + std::string(suffix) + (n == 1 ? std::string() : std::to_string(n));
}

// The first free "<path>.damaged", "<path>.damaged2", ... (or another suffix).
std::string AsideName(const std::string& path, std::string_view suffix = kDamagedSuffix) {
  std::error_code ec;
  for (int n = 1; n < kMaxAsideNames; ++n) {
    std::string candidate = AsideCandidate(path, n, suffix);
    if (!fs::exists(candidate, ec) && !ec) return candidate;
  }
  return std::string();
}

bool SameBytes(const std::string& a, const std::string& b) {
  std::error_code ec;
  const std::uintmax_t size = fs::file_size(a, ec);
  if (ec || fs::file_size(b, ec) != size || ec) return false;
  std::vector<uint8_t> first, second;
  return ReadWholeFile(a, size, first) == ReadResult::Read && ReadWholeFile(b, size, second) == ReadResult::Read &&
         first == second;
}

// A copy of the file as it is now that was kept aside before, or an empty string: a
// damaged file that is read again and again is kept once.
std::string KeptBefore(const std::string& path, std::string_view suffix = kDamagedSuffix) {
  std::error_code ec;
  for (int n = 1; n < kMaxAsideNames; ++n) {
    const std::string candidate = AsideCandidate(path, n, suffix);
    if (!fs::exists(candidate, ec)) return std::string();
    if (SameBytes(path, candidate)) return candidate;
  }
  return std::string();
}

// Windows-1252's bytes 0x80..0x9F; the others of 0xA0..0xFF are Latin-1.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

}  // namespace

ReadResult ReadWholeFile(const std::string& path, size_t maxBytes, std::vector<uint8_t>& bytes,
                         std::string* error) {
  bytes.clear();
  std::error_code ec;
  const fs::file_status status = fs::status(path, ec);
  if (!fs::exists(status)) return ReadResult::Missing;
  auto fail = [&](ReadResult result, const std::string& why) {
    if (error) *error = why;
    bytes.clear();
    return result;
  };
  if (!fs::is_regular_file(status)) return fail(ReadResult::Unreadable, "not a regular file");
  const std::uintmax_t size = fs::file_size(path, ec);
  if (ec) return fail(ReadResult::Unreadable, ec.message());
  if (size > maxBytes) return fail(ReadResult::TooLarge, "the file is too large (" + std::to_string(size) + " bytes)");
  std::ifstream in(path, std::ios::binary);
  if (!in) return fail(ReadResult::Unreadable, "the file cannot be opened");
  bytes.resize(static_cast<size_t>(size));
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size));
  if (static_cast<std::uintmax_t>(in.gcount()) != size) return fail(ReadResult::Unreadable, "the file cannot be read");
  return ReadResult::Read;
}

std::string MoveAside(const std::string& path, std::string* error) {
  if (std::string kept = KeptBefore(path); !kept.empty()) {
    std::error_code ec;
    fs::remove(path, ec);
    if (!ec) return kept;
  }
  const std::string target = AsideName(path);
  if (target.empty()) {
    if (error) *error = "no free name to keep the damaged file under";
    return std::string();
  }
  std::error_code ec;
  fs::rename(path, target, ec);
  if (ec) {
    if (error) *error = ec.message();
    return std::string();
  }
  return target;
}

std::string CopyAside(const std::string& path, std::string* error, std::string_view suffix) {
  if (std::string kept = KeptBefore(path, suffix); !kept.empty()) return kept;
  const std::string target = AsideName(path, suffix);
  if (target.empty()) {
    if (error) *error = "no free name to keep a copy of the file under";
    return std::string();
  }
  std::error_code ec;
  fs::copy_file(path, target, fs::copy_options::none, ec);
  if (ec) {
    if (error) *error = ec.message();
    return std::string();
  }
  return target;
}

bool IsUtf8(std::string_view text) {
  size_t i = 0;
  while (i < text.size()) {
    const auto c = static_cast<unsigned char>(text[i]);
    size_t extra = 0;
    char32_t code = 0;
    if (c < 0x80) {
      ++i;
      continue;
    } else if ((c & 0xE0) == 0xC0) {
      extra = 1;
      code = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
      extra = 2;
      code = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
      extra = 3;
      code = c & 0x07;
    } else {
      return false;
    }
    if (i + extra >= text.size()) return false;
    for (size_t k = 1; k <= extra; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      code = (code << 6) | (next & 0x3F);
    }
    // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
    constexpr char32_t kSmallest[4] = {0, 0x80, 0x800, 0x10000};
    if (code < kSmallest[extra] || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) return false;
    i += extra + 1;
  }
  return true;
}

bool HasControlCharacter(std::string_view text) {
  for (char c : text) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 32 || u == 127) return true;
  }
  return false;
}

std::string TextAsUtf8(std::string_view bytes) {
  if (IsUtf8(bytes)) return std::string(bytes);
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 4);
  for (char c : bytes) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x80) {
      out += c;
    } else if (u < 0xA0) {
      AppendUtf8(out, kCp1252High[u - 0x80]);
    } else {
      AppendUtf8(out, u);
    }
  }
  return out;
}

std::string NameProblem(std::string_view name, size_t maxBytes, const char* what) {
  if (name.empty()) return StringText(kMessageNameEmpty);
  if (!IsUtf8(name) || HasControlCharacter(name)) return FormatString(kMessageNameControl, what);
  if (name.size() > maxBytes) {
    return FormatString(kMessageNameTooLong, what, static_cast<int>(maxBytes), static_cast<int>(name.size()));
  }
  return std::string();
}

}  // namespace qw
