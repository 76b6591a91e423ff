#pragma once

class DocumentWindow;

// Brings a record of a document on show, as if the engineer had opened its
// branch and clicked it: the document's window comes forward and its tree
// selects the record's node, or, for a record the tree does not list, the
// node of its structure.
class DocumentRecordFinder
{
public:
    // False when the tree has no node for the record or its structure.
    static bool show(DocumentWindow &document, int member, int record);
};
