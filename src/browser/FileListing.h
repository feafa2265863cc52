// Listing a directory of recordings for the file browser.
#pragma once
