#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/ControlCentre.h"

namespace tg {

// What an administrator's tools ask of the control centre from the command
// line: "/import FILE" merges a file (or every export file of a folder) into
// the stores, "/export FOLDER" writes the carried stores there as XML.
struct TransferRequest {
  enum class Kind { Import, Export };
  Kind kind = Kind::Import;
  std::string path;
  friend bool operator==(const TransferRequest&, const TransferRequest&) = default;
};

// The exit codes of such a start, for the scripts that run it.
namespace exit_code {
constexpr int kDone = 0;
constexpr int kUsage = 1;     // the command line is not one of the two requests
constexpr int kRefused = 2;   // a file brought for import is not one: nothing changed
constexpr int kNotSaved = 3;  // a store or an export file could not be written
constexpr int kTimedOut = 4;  // the running control centre did not answer in time
}  // namespace exit_code

// The request a command line makes: none when it names neither switch (a
// plain start), and then `error` stays empty; none with `error` set when it
// names one wrongly. Switches are compared ignoring letter case, with "-" for "/".
std::optional<TransferRequest> parseTransferRequest(const std::vector<std::string>& arguments, std::string* error);

// The request as one text for another start of the program, and back; none for
// a text that is not one.
std::string requestText(const TransferRequest& request);
std::optional<TransferRequest> requestFromText(const std::string& text);
constexpr std::size_t kMaxRequestText = 32 * 1024;

// Carries out a request against the control centre's stores, as the options
// page does; its exit code, with what happened in `message`.
int runTransferRequest(ControlCentre& centre, const TransferRequest& request, std::string& message);

}  // namespace tg
