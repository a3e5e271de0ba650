#pragma once

#include <array>
#include <string_view>

namespace tg {

// The suite's engine programs, each in the program directory.
namespace engine {
constexpr std::string_view rtguard = "rtguard.exe";
constexpr std::string_view scanengine = "scanengine.exe";
constexpr std::string_view diskscan = "diskscan.exe";
constexpr std::string_view siteguard = "siteguard.exe";
constexpr std::string_view netguard = "netguard.exe";
constexpr std::string_view mailfilter = "mailfilter.exe";
constexpr std::string_view backup = "backup.exe";
constexpr std::string_view dbupdate = "dbupdate.exe";
constexpr std::string_view notify = "notify.exe";
}  // namespace engine

// Engines left from an earlier run, stopped when the main window is created.
constexpr std::array<std::string_view, 7> kStartUpLeftovers = {
    engine::diskscan, engine::rtguard,     engine::siteguard, engine::netguard,
    engine::mailfilter, engine::backup, engine::dbupdate};

// Stopped by the quit item before the application ends.
constexpr std::array<std::string_view, 6> kQuitStopList = {engine::rtguard,   engine::scanengine, engine::diskscan,
                                                           engine::siteguard, engine::netguard,   engine::dbupdate};

// Stopped when the main window is destroyed and when the log-on ends.
constexpr std::array<std::string_view, 8> kShutdownStopList = {
    engine::diskscan, engine::scanengine, engine::rtguard, engine::siteguard,
    engine::netguard, engine::mailfilter, engine::backup,  engine::dbupdate};

}  // namespace tg
