#include "engines/PortTable.h"

#include <array>
#include <utility>

namespace tg {

namespace {

// Sixty rows; some names are cut at forty characters.
constexpr std::array<std::pair<int, std::string_view>, 60> kPortTable = {{
    {1, "TCP Port Service Multiplexer"},
    {7, "ECHO"},
    {9, "Discard"},
    {13, "DayTime"},
    {17, "QOTD - Quote Of The Day"},
    {18, "MSP - Message Send Protocol"},
    {19, "CharGen - Character Generator"},
    {20, "FTPDATA - File Transfer Protocol"},
    {21, "FTP - File Transfer Control Protocol"},
    {22, "SSH Remote Login Protocol"},
    {23, "TELNET"},
    {25, "SMTP - Simple Mail Transfer Protocol "},
    {37, "TIME"},
    {38, "RAP - Route Access Protocol"},
    {39, "RLP - Resource Location Protocol"},
    {42, "NAMESERVER - Host Name Server"},
    {53, "DNS - Domain Name Server"},
    {66, "Oracle SQL*NET"},
    {67, "BOOTP Server"},
    {68, "BOOTP Client"},
    {69, "Trivial FTP"},
    {70, "GOPHER"},
    {79, "FINGER"},
    {80, "HTTP - Hyper Text Transfer Protocol"},
    {88, "KERBEROS"},
    {101, "NIC Host Name Server"},
    {109, "POP2 - Post Office Protocol 2"},
    {110, "POP3 - Post Office Protocol 3"},
    {113, "IDENT - Authentication Service"},
    {115, "SFTP - Simple File Transfer Protocol"},
    {119, "Network News Transfer Protocol (NNTP)"},
    {123, "Network Time Protocol (NTP)"},
    {135, "Location Service (RPC) - EPMAP"},
    {137, "NETBIOS Name Service"},
    {138, "NETBIOS Datagram Service"},
    {139, "NETBIOS Session Service"},
    {161, "SNMP - Simple Network Management Protoco"},
    {194, "IRC - Internet Relay Chat Protocol"},
    {213, "IPX"},
    {443, "HTTPS - Hyper Text Transfer Protocol Sec"},
    {445, "Microsoft-DS"},
    {500, "Isakmp"},
    {523, "IBM-DB2"},
    {524, "NCP"},
    {525, "Timeserver"},
    {1433, "Microsoft SQL Server"},
    {1434, "Microsoft SQL Monitor"},
    {1512, "WINS - Windows Internet Name Service"},
    {1801, "Microsoft Message Queue"},
    {1863, "MSNP"},
    {2234, "Directplay"},
    {3389, "Microsoft Term Server"},
    {5000, "Universal Plug & Play"},
    {42424, ".NET State Server"},
    {8787, "Back Orifice 2000"},
    {31337, "Back Orifice 2000 Russian"},
    {31338, "Back Orifice"},
    {54283, "Back Orifice 2000"},
    {54320, "Back Orifice 2000"},
    {54321, "Back Orifice 2000"},
}};

constexpr std::array<std::string_view, 7> kProtocolTexts = {"FTP", "TELNET", "SMTP", "DNS", "HTTP ", "HTTPS ", "POP3"};

}  // namespace

std::string ServiceName(int port) {
  for (const auto& [number, name] : kPortTable)
    if (number == port) return std::string(name);
  return std::to_string(port);
}

std::string_view protocolText(std::size_t protocol) {
  return protocol < kProtocolTexts.size() ? kProtocolTexts[protocol] : std::string_view();
}

}  // namespace tg
