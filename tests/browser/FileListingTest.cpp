// Tests of the directory listing of the file browser.
