// siteguard.exe <site>: resolves the site's name and writes siteguard.txt
// beside it: "Site : <name>" and, last, "Adresse : <dotted address>"; an empty
// file when the name resolves to nothing.
#include <winsock2.h>
#include <windows.h>
#include <ws2tcpip.h>

#include "engines/HostAddress.h"
#include "base/Text.h"
#include "stores/TextFile.h"
#include "suite/common/EngineProcess.h"

namespace {

std::string firstAddress(const std::string& host) {
  WSADATA data;
  if (WSAStartup(MAKEWORD(2, 2), &data) != 0) return {};
  std::string address;
  addrinfo hints{};
  hints.ai_family = AF_INET;
  addrinfo* found = nullptr;
  if (!host.empty() && getaddrinfo(host.c_str(), nullptr, &hints, &found) == 0 && found) {
    const auto* in = reinterpret_cast<const sockaddr_in*>(found->ai_addr);
    const auto* b = reinterpret_cast<const std::uint8_t*>(&in->sin_addr);
    address = tg::dottedAddress(std::span(b, 4));
    freeaddrinfo(found);
  }
  WSACleanup();
  return address;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  tg::suite::EngineProcess self;
  const std::string site = tg::trimmed(self.arguments);
  const std::string address = firstAddress(site);
  tg::Lines answer;
  if (!address.empty()) answer = {"Site : " + site, "Adresse : " + address};
  self.log("siteguard.log", site + " -> " + (address.empty() ? "?" : address));
  return tg::writeLines(self.real.files, self.inDirectory("siteguard.txt"), answer) ? 0 : 1;
}
