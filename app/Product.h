#pragma once

namespace tg::product {

constexpr const char* kName = "Tarnivoxguard2013";
// The named mutex that keeps one control centre per log-on.
constexpr const char* kMutexName = "tarnivoxguard2013.exe";
// The autorun value in the current user's Run key.
constexpr const char* kAutorunValue = "Tarnivoxguard2013";
constexpr const char* kWebSite = "https://www.tarnivox.example/";

// The about box's lines.
constexpr const char* kAuthorLine = "Tarnivoxguard2013";
// Followed by the version of the build (CMake's project version).
constexpr const char* kVersionPrefix = "Version :";
constexpr const char* kYearLine = "2013 - 2026";
constexpr const char* kWebLine = "www.tarnivox.example";
constexpr const char* kMailLine = "aide@tarnivox.example";

}  // namespace tg::product
