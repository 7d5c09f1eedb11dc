#include "TypingWordsScene.h"

void TypingWordsScene::SetVisible(bool /*show*/) {}

void TypingWordsScene::LoadCurrentKey() {}

void TypingWordsScene::ClearFields() {}
