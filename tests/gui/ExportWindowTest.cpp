// Window tests of the export.
