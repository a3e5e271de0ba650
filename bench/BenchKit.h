// What the benchmarks under wine share: a timer, a median, rules as the
// monitor writes them, and the window's messages handled until it has painted.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "base/Text.h"
#include "platform/DateTime.h"
#include "platform/FileSystem.h"
#include "stores/DateText.h"
#include "stores/RecordStore.h"
#include "stores/StoreFile.h"
#include "stores/StoreSchema.h"
#include "ui/Control.h"
#include "win32/MessageLoop.h"
#include "win32/peers/WindowPeer.h"

namespace tg::bench {

inline double milliseconds(const std::function<void()>& work) {
  LARGE_INTEGER frequency, before, after;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&before);
  work();
  QueryPerformanceCounter(&after);
  return 1000.0 * static_cast<double>(after.QuadPart - before.QuadPart) / static_cast<double>(frequency.QuadPart);
}

inline double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// Rules as the monitor writes them, recorded at moments spread over a year and
// stored in no particular order of them.
inline std::vector<Row> realisticRules(std::size_t count, const LocaleFormats& locale) {
  std::mt19937 random(20130);
  const std::int64_t start = toMilliseconds(DateTime{2025, 3, 1, 0, 0, 0, 0});
  const std::int64_t year = 365LL * 24 * 3600 * 1000;
  std::vector<std::int64_t> moments(count);
  for (std::size_t i = 0; i < count; ++i)
    moments[i] = start + static_cast<std::int64_t>(i) * (year / static_cast<std::int64_t>(count)) / 1000 * 1000;
  std::shuffle(moments.begin(), moments.end(), random);
  const char* const attributes[] = {"0", "1", "2", "4", "8", "16", "32", "32", "32", "64", "71"};
  const char* const owners[] = {"BUILTIN\\Administrateurs", "AUTORITE NT\\Syst\xE8me", "PC-BUREAU\\\xC9lodie"};
  const char* const folders[] = {"C:\\Program Files\\Editeur Logiciel ", "C:\\Program Files (x86)\\Outils R\xE9seau ",
                                 "C:\\Documents and Settings\\\xC9lodie\\Applications\\"};
  std::vector<Row> rows;
  rows.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    const std::string name = "prog" + std::to_string(1000 + i) + ".exe";
    const bool known = random() % 20 != 0;  // some files the monitor could not read
    DateTime fileDate = fromMilliseconds(moments[i] - static_cast<std::int64_t>(random() % 2000) * 24 * 3600 * 1000);
    const std::string path = folders[i % 3] + std::to_string(i % 97) + "\\Outils\\bin\\" + name;
    rows.push_back({name, dateTimeText(locale, fromMilliseconds(moments[i])), i % 7 ? "@" : "!",
                    known ? shortDateText(locale, fileDate) : "?", known ? std::to_string(12 + random() % 90000) : "?",
                    attributes[random() % std::size(attributes)], owners[i % 3], path,
                    std::to_string(random()), "", ""});
  }
  return rows;
}

// Handles every waiting message, the paints last, so that every window that
// needed painting has painted.
inline void pumpUntilPainted() { win32::pumpMessages({}); }

inline HWND windowOf(const ui::Control& control) {
  auto* peer = dynamic_cast<win32::WindowPeer*>(control.peer());
  return peer ? peer->hwnd() : nullptr;
}

// The rule store's file in a program folder.
inline StoreFile ruleFile(FileSystem& files, const std::string& folder, const LocaleFormats& locale) {
  const StoreSchema& schema = schemaOf(StoreId::Rules);
  return StoreFile(files, folder + schema.fileName, schema.fields, CodePage(locale.codePage));
}

// A program folder with the French texts and `count` rules; false, said, when
// the language file cannot be copied.
inline bool fillRuleFolder(FileSystem& files, const std::string& folder, const LocaleFormats& locale,
                           std::size_t count) {
  const std::string language = replacedAll(TG_LANGUAGE_DIR, '/', '\\') + "kelm2013_fr.txt";
  if (!CopyFileA(language.c_str(), (folder + "kelm2013_fr.txt").c_str(), FALSE)) {
    std::printf("the language file could not be copied\n");
    return false;
  }
  RecordStore rules("ClientDataSet1");
  rules.assign(schemaOf(StoreId::Rules).fields, realisticRules(count, locale));
  ruleFile(files, folder, locale).save(rules);
  return true;
}

}  // namespace tg::bench
