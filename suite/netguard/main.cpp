// netguard.exe: lists the machine's TCP and UDP endpoints with their owning
// processes and writes them to netguard.txt beside it, which it holds
// exclusively while writing.
#include <winsock2.h>
#include <windows.h>
#include <iphlpapi.h>
#include <ws2tcpip.h>

#include <map>
#include <vector>

#include "engines/HostAddress.h"
#include "suite/common/EngineProcess.h"
#include "suite/netguard/ConnectionList.h"

namespace {

using tg::suite::Connection;

std::map<DWORD, std::string> processNames(tg::Processes& processes) {
  std::map<DWORD, std::string> names;
  for (const tg::ProcessEntry& entry : processes.snapshot().value_or(std::vector<tg::ProcessEntry>{}))
    names[entry.pid] = entry.exeName;
  return names;
}

std::string dotted(DWORD networkOrder) {
  return tg::dottedAddress(std::span(reinterpret_cast<const std::uint8_t*>(&networkOrder), 4));
}

int port(DWORD networkOrder) { return ntohs(static_cast<u_short>(networkOrder & 0xFFFF)); }

const char* tcpState(DWORD state) {
  switch (state) {
    case MIB_TCP_STATE_LISTEN: return "LISTEN";
    case MIB_TCP_STATE_SYN_SENT: return "SYN_SENT";
    case MIB_TCP_STATE_SYN_RCVD: return "SYN_RCVD";
    case MIB_TCP_STATE_ESTAB: return "ESTABLISHED";
    case MIB_TCP_STATE_FIN_WAIT1: return "FIN_WAIT1";
    case MIB_TCP_STATE_FIN_WAIT2: return "FIN_WAIT2";
    case MIB_TCP_STATE_CLOSE_WAIT: return "CLOSE_WAIT";
    case MIB_TCP_STATE_CLOSING: return "CLOSING";
    case MIB_TCP_STATE_LAST_ACK: return "LAST_ACK";
    case MIB_TCP_STATE_TIME_WAIT: return "TIME_WAIT";
    default: return "CLOSED";
  }
}

// The table the platform fills, grown until it fits.
template <typename Query>
std::vector<unsigned char> table(Query query) {
  std::vector<unsigned char> buffer(16 * 1024);
  for (int attempt = 0; attempt < 8; ++attempt) {
    DWORD size = static_cast<DWORD>(buffer.size());
    const DWORD result = query(buffer.data(), &size);
    if (result == NO_ERROR) return buffer;
    if (result != ERROR_INSUFFICIENT_BUFFER) return {};
    buffer.resize(size + 4096);
  }
  return {};
}

std::string nameOf(const std::map<DWORD, std::string>& names, DWORD pid) {
  const auto it = names.find(pid);
  return it == names.end() ? "?" : it->second;
}

std::vector<Connection> connections(tg::Processes& processes) {
  const auto names = processNames(processes);
  std::vector<Connection> out;
  const auto tcp = table([](void* b, DWORD* s) {
    return GetExtendedTcpTable(b, s, FALSE, AF_INET, TCP_TABLE_OWNER_PID_ALL, 0);
  });
  if (!tcp.empty()) {
    const auto* t = reinterpret_cast<const MIB_TCPTABLE_OWNER_PID*>(tcp.data());
    for (DWORD i = 0; i < t->dwNumEntries; ++i) {
      const MIB_TCPROW_OWNER_PID& r = t->table[i];
      const bool listening = r.dwState == MIB_TCP_STATE_LISTEN;
      out.push_back({nameOf(names, r.dwOwningPid), r.dwOwningPid, "TCP", dotted(r.dwLocalAddr), port(r.dwLocalPort),
                     listening ? "" : dotted(r.dwRemoteAddr), listening ? -1 : port(r.dwRemotePort),
                     tcpState(r.dwState)});
    }
  }
  const auto udp = table([](void* b, DWORD* s) {
    return GetExtendedUdpTable(b, s, FALSE, AF_INET, UDP_TABLE_OWNER_PID, 0);
  });
  if (!udp.empty()) {
    const auto* t = reinterpret_cast<const MIB_UDPTABLE_OWNER_PID*>(udp.data());
    for (DWORD i = 0; i < t->dwNumEntries; ++i) {
      const MIB_UDPROW_OWNER_PID& r = t->table[i];
      out.push_back({nameOf(names, r.dwOwningPid), r.dwOwningPid, "UDP", dotted(r.dwLocalAddr), port(r.dwLocalPort),
                     "", -1, "-"});
    }
  }
  return out;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  tg::suite::EngineProcess self;
  if (!tg::writeLines(self.real.files, self.inDirectory("netguard.txt"), tg::suite::netguardLines(connections(self.real.processes))))
    return 1;
  return 0;
}
