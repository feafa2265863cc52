// Window tests of the file browser.
