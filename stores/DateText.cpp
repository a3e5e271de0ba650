#include "stores/DateText.h"

#include <vector>

#include "base/Text.h"

namespace tg {

namespace {

const char* const kMonthNames[] = {"January", "February", "March",     "April",   "May",      "June",
                                   "July",    "August",   "September", "October", "November", "December"};
const char* const kDayNames[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

// One piece of a picture: a run of one pattern letter, or literal text.
struct Token {
  char letter = 0;  // 0 for literal text
  int count = 0;
  std::string literal;
};

bool isPatternLetter(char c) {
  return c == 'd' || c == 'M' || c == 'y' || c == 'g' || c == 'h' || c == 'H' || c == 'm' || c == 's' ||
         c == 't';
}

std::vector<Token> tokens(std::string_view picture) {
  std::vector<Token> out;
  auto literal = [&out](char c) {
    if (out.empty() || out.back().letter != 0) out.push_back({});
    out.back().literal += c;
  };
  for (std::size_t i = 0; i < picture.size();) {
    const char c = picture[i];
    if (c == '\'') {
      ++i;
      while (i < picture.size()) {
        if (picture[i] == '\'') {
          if (i + 1 < picture.size() && picture[i + 1] == '\'') {
            literal('\'');
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        literal(picture[i++]);
      }
    } else if (isPatternLetter(c)) {
      std::size_t j = i;
      while (j < picture.size() && picture[j] == c) ++j;
      out.push_back({c, static_cast<int>(j - i), {}});
      i = j;
    } else {
      literal(c);
      ++i;
    }
  }
  return out;
}

std::string number(int value, int width) {
  std::string s = std::to_string(value);
  while (static_cast<int>(s.size()) < width) s.insert(s.begin(), '0');
  return s;
}

int twelveHour(int hour) {
  const int h = hour % 12;
  return h == 0 ? 12 : h;
}

}  // namespace

std::string formatWithPicture(std::string_view picture, const DateTime& t, const LocaleFormats& locale) {
  std::string out;
  for (const Token& token : tokens(picture)) {
    const int n = token.count;
    switch (token.letter) {
      case 0: out += token.literal; break;
      case 'd':
        if (n <= 2) out += number(t.day, n);
        else if (n == 3) out += std::string(kDayNames[dayOfWeek(t)]).substr(0, 3);
        else out += kDayNames[dayOfWeek(t)];
        break;
      case 'M':
        if (n <= 2) out += number(t.month, n);
        else if (n == 3) out += std::string(kMonthNames[t.month - 1]).substr(0, 3);
        else out += kMonthNames[t.month - 1];
        break;
      case 'y':
        if (n <= 2) out += number(t.year % 100, n);
        else out += number(t.year, n == 3 ? 4 : n);
        break;
      case 'g': break;  // era names are not written
      case 'h': out += number(twelveHour(t.hour), n >= 2 ? 2 : 1); break;
      case 'H': out += number(t.hour, n >= 2 ? 2 : 1); break;
      case 'm': out += number(t.minute, n >= 2 ? 2 : 1); break;
      case 's': out += number(t.second, n >= 2 ? 2 : 1); break;
      case 't': {
        const std::string& designator = t.hour < 12 ? locale.amDesignator : locale.pmDesignator;
        out += n == 1 ? designator.substr(0, 1) : designator;
        break;
      }
    }
  }
  return out;
}

std::string shortDateText(const LocaleFormats& locale, const DateTime& t) {
  return formatWithPicture(locale.shortDate, t, locale);
}

std::string longTimeText(const LocaleFormats& locale, const DateTime& t) {
  return formatWithPicture(locale.longTime, t, locale);
}

std::string dateTimeText(const LocaleFormats& locale, const DateTime& t) {
  return shortDateText(locale, t) + " " + longTimeText(locale, t);
}

namespace {

class PictureReader {
 public:
  PictureReader(std::string_view text, const LocaleFormats& locale) : s_(text), locale_(locale) {}

  bool read(std::string_view picture, DateTime& t) {
    bool pm = false;
    bool sawDesignator = false;
    bool twelve = false;
    for (const Token& token : tokens(picture)) {
      if (token.letter == 0) {
        if (!literal(token.literal)) return false;
        continue;
      }
      int value = 0;
      switch (token.letter) {
        case 'd':
          if (token.count >= 3) {
            if (!word()) return false;
          } else {
            if (!digits(1, 2, value)) return false;
            t.day = value;
          }
          break;
        case 'M':
          if (token.count >= 3) {
            if (!monthName(token.count == 3, value)) return false;
          } else if (!digits(1, 2, value)) {
            return false;
          }
          t.month = value;
          break;
        case 'y': {
          const std::size_t start = p_;
          if (!digits(1, 4, value)) return false;
          // A year written with one or two digits falls in 1930 to 2029.
          if (p_ - start <= 2) value += value < 30 ? 2000 : 1900;
          t.year = value;
          break;
        }
        case 'g': break;
        case 'h':
        case 'H':
          if (!digits(1, 2, value)) return false;
          t.hour = value;
          twelve = twelve || token.letter == 'h';
          break;
        case 'm':
          if (!digits(1, 2, value)) return false;
          t.minute = value;
          break;
        case 's':
          if (!digits(1, 2, value)) return false;
          t.second = value;
          break;
        case 't':
          if (!designator(token.count == 1, pm)) return false;
          sawDesignator = true;
          break;
      }
    }
    if (twelve && sawDesignator) {
      if (t.hour < 1 || t.hour > 12) return false;
      t.hour = t.hour % 12 + (pm ? 12 : 0);
    }
    return true;
  }

  void skipSpaces() {
    while (p_ < s_.size() && s_[p_] == ' ') ++p_;
  }
  bool atEnd() const { return p_ >= s_.size(); }

 private:
  bool literal(std::string_view text) {
    for (char c : text) {
      if (c == ' ') {
        skipSpaces();
        continue;
      }
      if (p_ >= s_.size() || s_[p_] != c) return false;
      ++p_;
    }
    return true;
  }

  bool digits(int least, int most, int& value) {
    int count = 0;
    value = 0;
    while (p_ < s_.size() && count < most && s_[p_] >= '0' && s_[p_] <= '9') {
      value = value * 10 + (s_[p_] - '0');
      ++p_;
      ++count;
    }
    return count >= least;
  }

  bool word() {
    const std::size_t start = p_;
    while (p_ < s_.size() && ((s_[p_] >= 'a' && s_[p_] <= 'z') || (s_[p_] >= 'A' && s_[p_] <= 'Z') ||
                              static_cast<unsigned char>(s_[p_]) >= 0x80))
      ++p_;
    return p_ > start;
  }

  bool monthName(bool abbreviated, int& month) {
    for (int m = 0; m < 12; ++m) {
      std::string name = kMonthNames[m];
      if (abbreviated) name = name.substr(0, 3);
      if (equalsIgnoringAsciiCase(s_.substr(p_, name.size()), name)) {
        p_ += name.size();
        month = m + 1;
        return true;
      }
    }
    return false;
  }

  bool designator(bool oneLetter, bool& pm) {
    for (int which = 0; which < 2; ++which) {
      std::string d = which == 0 ? locale_.amDesignator : locale_.pmDesignator;
      if (oneLetter) d = d.substr(0, 1);
      if (!d.empty() && equalsIgnoringAsciiCase(s_.substr(p_, d.size()), d)) {
        p_ += d.size();
        pm = which == 1;
        return true;
      }
    }
    return false;
  }

  std::string_view s_;
  const LocaleFormats& locale_;
  std::size_t p_ = 0;
};

bool valid(const DateTime& t) {
  return t.month >= 1 && t.month <= 12 && t.day >= 1 && t.day <= daysInMonth(t.year, t.month) && t.hour >= 0 &&
         t.hour < 24 && t.minute >= 0 && t.minute < 60 && t.second >= 0 && t.second < 60;
}

}  // namespace

namespace {

std::optional<DateTime> parse(const LocaleFormats& locale, std::string_view text, bool timeMayFollow) {
  PictureReader reader(text, locale);
  DateTime t{1899, 12, 30, 0, 0, 0, 0};
  reader.skipSpaces();
  if (!reader.read(locale.shortDate, t)) return std::nullopt;
  reader.skipSpaces();
  if (timeMayFollow && !reader.atEnd()) {
    if (!reader.read(locale.longTime, t)) return std::nullopt;
    reader.skipSpaces();
  }
  if (!reader.atEnd() || !valid(t)) return std::nullopt;
  return t;
}

}  // namespace

std::optional<DateTime> parseDateText(const LocaleFormats& locale, std::string_view text) {
  return parse(locale, text, false);
}

std::optional<DateTime> parseDateTimeText(const LocaleFormats& locale, std::string_view text) {
  return parse(locale, text, true);
}

}  // namespace tg
