#include "CombinedKeyScene.h"

#include "CMaskControl.h"
#include "TfmZavadOva.h"

#include "forms/Edit.h"

void CombinedKeyScene::SetVisible(bool show)
{
    fmZavadOva->editTime->SetVisible(show);
}

void CombinedKeyScene::LoadFromFunCfg() {}

void CombinedKeyScene::ClearActions() {}

bool CombinedKeyScene::AcceptsHookKeys() const
{
    return false;
}

bool CombinedKeyScene::IsKnownKey(int /*key*/) const
{
    return false;
}

void CombinedKeyScene::AddAction(int /*value*/, int /*kind*/) {}

void CombinedKeyScene::CloseEditDialog()
{
    CMaskControl::Instance()->HideMask();
}
