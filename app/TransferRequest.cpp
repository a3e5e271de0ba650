#include "app/TransferRequest.h"

#include "base/Text.h"
#include "stores/StoreTransfer.h"

namespace tg {

namespace {

constexpr char kImportWord[] = "import";
constexpr char kExportWord[] = "export";

std::optional<TransferRequest::Kind> switchKind(const std::string& argument) {
  if (argument.size() < 2 || (argument[0] != '/' && argument[0] != '-')) return std::nullopt;
  const std::string_view word = std::string_view(argument).substr(1);
  if (equalsIgnoringAsciiCase(word, kImportWord)) return TransferRequest::Kind::Import;
  if (equalsIgnoringAsciiCase(word, kExportWord)) return TransferRequest::Kind::Export;
  return std::nullopt;
}

int exitCodeOf(TransferResult::Outcome outcome) {
  switch (outcome) {
    case TransferResult::Outcome::Done: return exit_code::kDone;
    case TransferResult::Outcome::Refused: return exit_code::kRefused;
    default: return exit_code::kNotSaved;
  }
}

}  // namespace

std::optional<TransferRequest> parseTransferRequest(const std::vector<std::string>& arguments, std::string* error) {
  if (error) error->clear();
  if (arguments.empty()) return std::nullopt;
  const std::optional<TransferRequest::Kind> kind = switchKind(arguments[0]);
  auto wrong = [&](const std::string& why) -> std::optional<TransferRequest> {
    if (error) *error = why + "\r\nUse: tarnivoxguard2013.exe /import FILE-OR-FOLDER, or /export FOLDER";
    return std::nullopt;
  };
  if (!kind) return wrong("Unknown command line: " + arguments[0]);
  if (arguments.size() != 2 || trimmed(arguments[1]).empty()) return wrong(arguments[0] + " takes one path");
  return TransferRequest{*kind, arguments[1]};
}

std::string requestText(const TransferRequest& request) {
  return std::string(request.kind == TransferRequest::Kind::Import ? kImportWord : kExportWord) + "\n" + request.path;
}

std::optional<TransferRequest> requestFromText(const std::string& text) {
  if (text.size() > kMaxRequestText) return std::nullopt;
  const std::size_t newline = text.find('\n');
  if (newline == std::string::npos) return std::nullopt;
  const std::string word = text.substr(0, newline);
  const std::string path = text.substr(newline + 1);
  if (path.empty() || path.find('\0') != std::string::npos || path.find('\n') != std::string::npos)
    return std::nullopt;
  if (word == kImportWord) return TransferRequest{TransferRequest::Kind::Import, path};
  if (word == kExportWord) return TransferRequest{TransferRequest::Kind::Export, path};
  return std::nullopt;
}

int runTransferRequest(ControlCentre& centre, const TransferRequest& request, std::string& message) {
  FileSystem& files = centre.platform.files;
  StoreTransfer transfer(files, centre.platform.clock, centre.stores, centre.state, centre.languageTable,
                         CodePage(centre.platform.locale.formats().codePage));
  TransferResult result;
  if (request.kind == TransferRequest::Kind::Export) {
    result = transfer.exportToFolder({kCarriedStores.begin(), kCarriedStores.end()}, request.path, TransferForm::Xml);
  } else {
    std::vector<std::string> paths{request.path};
    const std::optional<std::uint32_t> attributes = files.attributes(request.path);
    if (attributes && (*attributes & attr::Directory)) {
      // A folder that an export made: each of its store files.
      const std::optional<std::vector<std::string>> found = transfer.exportFilesIn(request.path);
      if (!found || found->empty()) {
        message = request.path + (found ? " holds no exported store." : " cannot be listed.");
        return exit_code::kRefused;
      }
      paths = *found;
    }
    result = transfer.importFiles(paths);
  }
  message = result.message;
  return exitCodeOf(result.outcome);
}

}  // namespace tg
