#include <gtest/gtest.h>

#include "app/ControlCentre.h"
#include "app/TransferRequest.h"
#include "stores/DataPacket.h"
#include "testing/FakePlatform.h"

namespace tg {
namespace {

using Kind = TransferRequest::Kind;

TEST(TransferRequest, TheCommandLineNamesOneOfTwoRequestsWithOnePathOrIsRefusedWithItsUse) {
  struct Case {
    std::vector<std::string> arguments;
    std::optional<TransferRequest> request;
    bool wrong;
  };
  const std::vector<Case> cases = {
      {{}, std::nullopt, false},
      {{"/import", "\\\\server\\share\\quarantaines.xml"},
       TransferRequest{Kind::Import, "\\\\server\\share\\quarantaines.xml"}, false},
      {{"-EXPORT", "C:\\Sauvegarde des r\xE8gles"}, TransferRequest{Kind::Export, "C:\\Sauvegarde des r\xE8gles"}, false},
      {{"/import"}, std::nullopt, true},
      {{"/import", " "}, std::nullopt, true},
      {{"/export", "a", "b"}, std::nullopt, true},
      {{"/importer", "a"}, std::nullopt, true},
      {{"C:\\file.xml"}, std::nullopt, true},
  };
  for (const Case& c : cases) {
    std::string error = "left over";
    EXPECT_EQ(parseTransferRequest(c.arguments, &error), c.request) << ::testing::PrintToString(c.arguments);
    EXPECT_EQ(!error.empty(), c.wrong) << error;
    if (c.request) {
      EXPECT_EQ(requestFromText(requestText(*c.request)), c.request);
    }
  }
  for (const std::string& text : {std::string("import"), std::string("import\n"), std::string("delete\nC:\\x"),
                                  std::string("import\nC:\\a\nC:\\b"), std::string("export\nC:\\a\0b", 13),
                                  "import\n" + std::string(kMaxRequestText, 'x')})
    EXPECT_FALSE(requestFromText(text)) << text;
}

TEST(TransferRequest, AnExportFolderImportsIntoAnotherProgramFolderAndEachOutcomeHasItsExitCode) {
  testing::FakePlatform fake;
  fake.files.addDirectory("C:\\Old\\");
  fake.files.addDirectory("C:\\New\\");
  fake.files.addFile("C:\\Old\\quarantaines.xml",
                     encodeDataPacket(schemaOf(StoreId::Quarantine).fields, {{"bad.exe"}}, CodePage(1252)));
  ControlCentre old(fake.platform, "C:\\Old", {});
  ControlCentre fresh(fake.platform, "C:\\New", {});
  for (ControlCentre* c : {&old, &fresh}) c->openStores();

  std::string message;
  EXPECT_EQ(runTransferRequest(old, {Kind::Export, "C:\\Carried"}, message), exit_code::kDone) << message;
  EXPECT_EQ(runTransferRequest(fresh, {Kind::Import, "C:\\Carried"}, message), exit_code::kDone) << message;
  EXPECT_EQ(fresh.state.QuarantineNames, (std::vector<std::string>{"bad.exe"}));
  EXPECT_NE(message.find("C:\\Carried\\quarantaines.xml"), std::string::npos) << message;

  EXPECT_EQ(runTransferRequest(fresh, {Kind::Import, "C:\\Nowhere.xml"}, message), exit_code::kRefused);
  fake.files.addDirectory("C:\\Empty");
  EXPECT_EQ(runTransferRequest(fresh, {Kind::Import, "C:\\Empty"}, message), exit_code::kRefused);
  EXPECT_NE(message.find("holds no exported store"), std::string::npos);
  fake.files.failListings("C:\\Carried");
  EXPECT_EQ(runTransferRequest(fresh, {Kind::Import, "C:\\Carried"}, message), exit_code::kRefused)
      << "a folder that cannot be listed is not taken for an empty one";
  EXPECT_NE(message.find("cannot be listed"), std::string::npos);
  EXPECT_EQ(runTransferRequest(fresh, {Kind::Export, "C:\\New"}, message), exit_code::kNotSaved)
      << "the program's own folder";
  fake.files.addFile("C:\\Carried\\quarantaines.xml",
                     encodeDataPacket(schemaOf(StoreId::Quarantine).fields, {{"worse.exe"}}, CodePage(1252)));
  fake.files.setDiskFull(true);
  EXPECT_EQ(runTransferRequest(fresh, {Kind::Import, "C:\\Carried\\quarantaines.xml"}, message),
            exit_code::kNotSaved);
  EXPECT_EQ(fresh.state.QuarantineNames, (std::vector<std::string>{"bad.exe"}));
}

}  // namespace
}  // namespace tg
