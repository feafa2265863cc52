// The program's bilingual text tables. Every text on screen is a row of one of these,
// taken in the language on screen (0 English, 1 Russian); texts are UTF-8.
#pragma once

constexpr int MainTextCount = 135;
constexpr int DeviceInfoTextCount = 10;
constexpr int ButtonHintCount = 8;
constexpr int PointPromptCount = 3;
constexpr int FileTypeExtCount = 3;

extern const char* const MainTexts[MainTextCount][2];
extern const char* const DeviceInfoTexts[DeviceInfoTextCount][2];
extern const char* const ButtonHints[ButtonHintCount][2];
extern const char* const PointPrompts[PointPromptCount][2];
extern const char* const FileTypeExts[FileTypeExtCount];
// The print window's entry for printing into a PDF file, on a machine with or without printers.
extern const char* const PdfPrinterText[2];

// Message numbers that callers show (rows of MainTexts).
enum TMessage {
  msgErrorWriteFile = 1,
  msgErrorCreateLabFile = 4,
  msgConfirmExit = 5,
};
