#pragma once

class ExchClass;

// A made-up but plausible site, "Kestrel Marine Offices": the layouts an
// exchange would send for its eight structures and records for every table
// the editor, the transfer and the conversion work with. The result is the
// same bytes on every run, so the committed sample can be checked against it.
class SampleConfiguration
{
public:
    static void build(ExchClass &config);
};
