#pragma once
#include "document/document.h"

// How the windows follow the document, in one place: every change once it is made. The drawing
// itself is the windows' own operations.
class WindowFollower : public DocumentObserver {
public:
    void document_changed(const DocumentChange& change) override;
};

// Makes the windows follow `document`, from now on.
void follow_document(Document& document);
