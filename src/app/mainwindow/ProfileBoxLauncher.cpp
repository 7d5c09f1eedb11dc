#include "ProfileBoxLauncher.h"

#include "ProgramFolder.h"
#include "TfrmProfileBox.h"

static_assert(kProfileBoxSave == TfrmProfileBox::kSaveMode && kProfileBoxLoad == TfrmProfileBox::kLoadMode);

void ShowProfileBox(int mode)
{
    // The one box of the application, made at start-up and prepared anew for every opening.
    if (!frmProfileBox)
        return;
    frmProfileBox->PrepareProfileBox(mode, ProgramFolder());
    frmProfileBox->ShowModal();
}
