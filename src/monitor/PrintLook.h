// How the chart looks while the print window is open and while a page is printed, and the
// title lines that head the page.
#pragma once

#include <string>
#include <vector>

class TGLOB;
class TChart;
class TMonitorChart;

// The texts of the date and of the sample interval are the system's (locale) business; the
// window formats them and the lines are built here.
struct TPrintTitle {
  std::vector<std::string> Lines;
  bool Visible = false;  // any of the four title options on, even when its line was skipped
};
TPrintTitle MakePrintTitle(const TGLOB& glob, const std::string& dateText, const std::string& intervalText);

// The file the title names: the opened file when the chart shows one, else the recording's.
std::string PrintedFileName(const TGLOB& glob);

// Black title and subtitle, no legend. Remembers nothing: LeavePrintLook puts the screen look back.
void EnterPrintLook(TChart& chart);
// The screen look: the title (which only the page shows) hidden, the subtitle in its screen
// colour, the legend as the setting says.
void LeavePrintLook(TChart& chart, bool showLegend);

// Around printing one page: the time axes black for a colour page, light grey again after.
void BeginPrintedPage(TMonitorChart& monitor, bool colour);
void EndPrintedPage(TMonitorChart& monitor);
