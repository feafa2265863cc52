// Names of the bitmap snapshots of the chart: numbered [1], [2], ... beside the current
// recording file, the count starting again with every new laboratory file.
#pragma once

#include <string>

class TGLOB;

std::string MakeSnapshotName(TGLOB& glob);
