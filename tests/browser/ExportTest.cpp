// Tests of the export.
