#pragma once

#include <string>
#include <string_view>

namespace tg {

// The service name of a port: the first row of the monitor's port table with
// that port, otherwise the port as decimal text.
std::string ServiceName(int port);

// The texts searched in a service name for each protocol switch, in switch
// order (HTTP and HTTPS end with a space, so that each matches its own port only).
std::string_view protocolText(std::size_t protocol);

}  // namespace tg
