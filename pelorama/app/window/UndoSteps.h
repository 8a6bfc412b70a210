#pragma once

#include "store/StoreForward.h"

#include <QString>
#include <QStringList>

class QUndoCommand;

namespace pelorama::model {
struct DocumentLanguages;
}

// What the window tells of a document's undo steps: their names, as the Edit menu shows them ("Undo Edit
// Caption"), and the languages whose caption texts a step changes, so that undoing it can show one.
namespace pelorama::app::UndoSteps {

// The step's own name where it was given one (a command's, "Paste"), else one told by what it changed:
// "Add Screenshot", "Edit Caption", "Change Font", "Move", "Reorder Screenshots"; "Change" for anything
// else. Empty for no step.
QString name(const QUndoCommand* step);

// The languages of languages (the document's, which step must not change) in which a caption shows
// another text after step than before it, in their order: a changed base text shows in every language
// without a text of its own. None for a step that changes the document's languages, and nothing of
// captions that the step brings or takes whole.
QStringList changedLanguages(const QUndoCommand* step, store::ManagedObjectContext& context,
                             const model::DocumentLanguages& languages);

} // namespace pelorama::app::UndoSteps
