#include "FunKeyScene.h"

#include "FunctionTable.h"
#include "Translate.h"

FunKeyScene::FunKeyScene(forms::TComponent* owner, forms::TBitmap* bitmap)
    : KeyPage(owner, bitmap)
{
    // The function table serves the key-table assembly and the key actions as well.
    LoadFunKeyMap(Translate);
}

void FunKeyScene::SetVisible(bool /*show*/) {}

void FunKeyScene::SelectCurrent() {}

void FunKeyScene::UncheckAll() {}
