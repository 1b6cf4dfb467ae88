#include "tools/earth/vsop_source.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace qw::earth {
namespace {

// A recursive-descent reader for the object-literal subset the module uses.
class Reader {
 public:
  explicit Reader(std::string_view text) : text_(text) {}

  std::string error() const { return error_; }

  // Skips to the object literal after "const m =" (or the first '{').
  bool StartObject() {
    const size_t brace = text_.find('{');
    if (brace == std::string_view::npos) return Fail("no object literal");
    pos_ = brace;
    return true;
  }

  // Reads { key: value, ... }, calling onKey(key) for each key; onKey reads the value.
  template <typename OnKey>
  bool Object(OnKey onKey) {
    if (!Expect('{')) return false;
    SkipSpace();
    if (Peek() == '}') return Advance();
    for (;;) {
      std::string key;
      if (!Key(key) || !Expect(':')) return false;
      if (!onKey(key)) return false;
      SkipSpace();
      if (Peek() == ',') {
        Advance();
        SkipSpace();
        if (Peek() == '}') return Advance();  // trailing comma
        continue;
      }
      return Expect('}');
    }
  }

  // Reads [[A, B, C], ...] into terms.
  bool Terms(std::vector<EarthTerm>& terms) {
    if (!Expect('[')) return false;
    SkipSpace();
    if (Peek() == ']') return Advance();
    for (;;) {
      double values[3];
      if (!Expect('[')) return false;
      for (int i = 0; i < 3; ++i) {
        if (i > 0 && !Expect(',')) return false;
        if (!Number(values[i])) return false;
      }
      if (!Expect(']')) return false;
      terms.push_back({values[0], values[1], values[2]});
      SkipSpace();
      if (Peek() == ',') {
        Advance();
        SkipSpace();
        if (Peek() == ']') return Advance();
        continue;
      }
      return Expect(']');
    }
  }

  // Skips any value (strings, numbers, identifiers, nested arrays and objects).
  bool SkipValue() {
    SkipSpace();
    const char c = Peek();
    if (c == '"' || c == '\'') {
      std::string ignored;
      return String(ignored);
    }
    if (c == '[' || c == '{') {
      const char close = c == '[' ? ']' : '}';
      Advance();
      SkipSpace();
      if (Peek() == close) return Advance();
      for (;;) {
        if (c == '{') {
          std::string key;
          if (!Key(key) || !Expect(':')) return false;
        }
        if (!SkipValue()) return false;
        SkipSpace();
        if (Peek() == ',') {
          Advance();
          SkipSpace();
          if (Peek() == close) return Advance();
          continue;
        }
        return Expect(close);
      }
    }
    size_t start = pos_;
    while (pos_ < text_.size() && (std::isalnum(static_cast<unsigned char>(text_[pos_])) ||
                                   std::string_view("+-._").find(text_[pos_]) != std::string_view::npos)) {
      ++pos_;
    }
    return pos_ > start ? true : Fail("a value was expected");
  }

  bool Fail(const std::string& what) {
    if (error_.empty()) {
      size_t line = 1;
      for (size_t i = 0; i < pos_ && i < text_.size(); ++i) line += text_[i] == '\n';
      error_ = "line " + std::to_string(line) + ": " + what;
    }
    return false;
  }

 private:
  char Peek() const { return pos_ < text_.size() ? text_[pos_] : '\0'; }
  bool Advance() {
    ++pos_;
    return true;
  }

  void SkipSpace() {
    while (pos_ < text_.size()) {
      if (std::isspace(static_cast<unsigned char>(text_[pos_]))) {
        ++pos_;
      } else if (text_.substr(pos_, 2) == "//") {
        while (pos_ < text_.size() && text_[pos_] != '\n') ++pos_;
      } else if (text_.substr(pos_, 2) == "/*") {
        const size_t end = text_.find("*/", pos_ + 2);
        pos_ = end == std::string_view::npos ? text_.size() : end + 2;
      } else {
        break;
      }
    }
  }

  bool Expect(char c) {
    SkipSpace();
    if (Peek() != c) return Fail(std::string("'") + c + "' was expected");
    ++pos_;
    return true;
  }

  bool String(std::string& out) {
    const char quote = Peek();
    ++pos_;
    while (pos_ < text_.size() && text_[pos_] != quote) {
      if (text_[pos_] == '\\' || text_[pos_] == '\n') return Fail("unsupported string");
      out += text_[pos_++];
    }
    if (pos_ >= text_.size()) return Fail("unterminated string");
    ++pos_;
    return true;
  }

  bool Key(std::string& out) {
    SkipSpace();
    const char c = Peek();
    if (c == '"' || c == '\'') return String(out);
    while (pos_ < text_.size() && (std::isalnum(static_cast<unsigned char>(text_[pos_])) || text_[pos_] == '_')) {
      out += text_[pos_++];
    }
    return out.empty() ? Fail("a key was expected") : true;
  }

  bool Number(double& out) {
    SkipSpace();
    size_t end = pos_;
    while (end < text_.size() && std::string_view("+-.0123456789eE").find(text_[end]) != std::string_view::npos) {
      ++end;
    }
    const std::string token(text_.substr(pos_, end - pos_));
    if (token.empty()) return Fail("a number was expected");
    char* stop = nullptr;
    out = std::strtod(token.c_str(), &stop);
    if (stop != token.c_str() + token.size() || !std::isfinite(out)) return Fail("bad number '" + token + "'");
    pos_ = end;
    return true;
  }

  std::string_view text_;
  size_t pos_ = 0;
  std::string error_;
};

int VariableIndex(const std::string& key) {
  if (key == "L") return 0;
  if (key == "B") return 1;
  if (key == "R") return 2;
  return -1;
}

}  // namespace

std::string ParseVsopModule(std::string_view text, EarthSeries& out) {
  Reader reader(text);
  std::vector<EarthTerm> series[kEarthSeriesCount];
  bool seen[kEarthSeriesCount] = {};

  const bool ok = reader.StartObject() && reader.Object([&](const std::string& key) {
    const int variable = VariableIndex(key);
    if (variable < 0) return reader.SkipValue();
    return reader.Object([&](const std::string& powerKey) {
      if (powerKey.size() != 1 || powerKey[0] < '0' || powerKey[0] >= '0' + kEarthPowers) {
        return reader.Fail("unexpected series '" + key + powerKey + "'");
      }
      const int s = variable * kEarthPowers + (powerKey[0] - '0');
      if (seen[s]) return reader.Fail("series '" + key + powerKey + "' given twice");
      seen[s] = true;
      return reader.Terms(series[s]);
    });
  });
  if (!ok) return reader.error();

  EarthSeries result;
  const char* names = "LBR";
  for (int s = 0; s < kEarthSeriesCount; ++s) {
    // A power the theory does not use (the Earth has no B5) is simply absent; the
    // constant terms of every variable must be there.
    if (!seen[s] && s % kEarthPowers == 0) {
      return std::string("series ") + names[s / kEarthPowers] + "0 is missing";
    }
    if (series[s].size() > 32767) return "a series has more terms than EARTH.IDX can hold";
    result.termCounts[s] = static_cast<uint16_t>(series[s].size());
    result.terms.insert(result.terms.end(), series[s].begin(), series[s].end());
  }
  out = std::move(result);
  return std::string();
}

}  // namespace qw::earth
