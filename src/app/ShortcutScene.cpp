#include "ShortcutScene.h"

void ShortcutScene::SetVisible(bool /*show*/) {}

void ShortcutScene::LoadCurrentKey() {}

void ShortcutScene::ClearFields() {}
