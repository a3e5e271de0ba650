// rtguard.exe: the real-time protection. It reads its twelve switches from
// configuration.xml beside it, notes them in rtguard.log, and stays running
// until it is ended (the control centre restarts it after every change).
#include <windows.h>

#include "stores/RecordStore.h"
#include "stores/StoreFile.h"
#include "stores/StoreSchema.h"
#include "suite/common/EngineProcess.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  tg::suite::EngineProcess self;
  const tg::StoreSchema& schema = tg::schemaOf(tg::StoreId::Configuration);
  const tg::StoreFile file(self.real.files, self.inDirectory(schema.fileName), schema.fields,
                           tg::CodePage(self.real.locale.formats().codePage));
  tg::RecordStore configuration(schema.component);
  std::string switches;
  try {
    file.load(configuration);
    configuration.first();
    for (std::size_t f = 1; f <= tg::kConfigurationFieldCount; ++f)
      switches += configuration.field("Champ" + std::to_string(f)) == "1" ? '1' : '0';
  } catch (const tg::StoreError& e) {
    switches = std::string(tg::kConfigurationFieldCount, '0');
    self.log("rtguard.log", std::string("configuration unreadable, every protection off: ") + e.what());
  }
  self.log("rtguard.log", "protection switches " + switches);
  self.stayResident();
}
