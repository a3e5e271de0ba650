#include "crash/SaverBoard.h"

#include <new>

namespace tg::crash {

const char* phaseName(SaverPhase phase) {
  switch (phase) {
    case SaverPhase::NotStarted:
      return "before the saver's code ran";
    case SaverPhase::Opening:
      return "opening the store";
    case SaverPhase::Preparing:
      return "building the next table";
    case SaverPhase::Encoding:
      return "encoding the save";
    case SaverPhase::WritingCopy:
      return "writing the .saving copy";
    case SaverPhase::CopyWritten:
      return "copy written, file not replaced";
    case SaverPhase::Replacing:
      return "replacing the file";
    case SaverPhase::Acknowledging:
      return "saved, not yet acknowledged";
    case SaverPhase::Saved:
      return "saved and acknowledged";
    case SaverPhase::Count:
      break;
  }
  return "?";
}

void SaverBoard::reset() {
  mark(SaverPhase::NotStarted);
  openedGeneration = -1;
  savingGeneration = -1;
  savedGeneration = -1;
  openMicroseconds = 0;
  cycleMicroseconds = 0;
  startedMicroseconds = 0;
}

std::int64_t nowMicroseconds() {
  LARGE_INTEGER frequency, now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&now);
  return static_cast<std::int64_t>(now.QuadPart / frequency.QuadPart * 1000000 +
                                   now.QuadPart % frequency.QuadPart * 1000000 / frequency.QuadPart);
}

SharedBoard SharedBoard::create(const std::string& name) {
  HANDLE mapping =
      CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(SaverBoard), name.c_str());
  if (!mapping) return SharedBoard(nullptr, nullptr);
  void* view = MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(SaverBoard));
  if (!view) {
    CloseHandle(mapping);
    return SharedBoard(nullptr, nullptr);
  }
  SaverBoard* board = new (view) SaverBoard;
  board->reset();
  return SharedBoard(mapping, board);
}

SharedBoard SharedBoard::open(const std::string& name) {
  HANDLE mapping = OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, name.c_str());
  if (!mapping) return SharedBoard(nullptr, nullptr);
  void* view = MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(SaverBoard));
  if (!view) {
    CloseHandle(mapping);
    return SharedBoard(nullptr, nullptr);
  }
  return SharedBoard(mapping, static_cast<SaverBoard*>(view));
}

SharedBoard::SharedBoard(SharedBoard&& other) noexcept : mapping_(other.mapping_), board_(other.board_) {
  other.mapping_ = nullptr;
  other.board_ = nullptr;
}

SharedBoard::~SharedBoard() {
  if (board_) UnmapViewOfFile(board_);
  if (mapping_) CloseHandle(mapping_);
}

}  // namespace tg::crash
