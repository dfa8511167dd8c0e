#pragma once

// Sets cmndta001.qfr from the language setting tarvex01.nlang: 2 English,
// 3 French, anything else the user's interface language. The texts in that
// language come from in_user_language (foundation/tell.h).
void apply_language_setting();
