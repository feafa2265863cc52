// Exporting the recording on the monitor as a laboratory file.
#pragma once
