#pragma once
namespace vorl {
// Forgets the opened message file so that the next VORLGetError opens it anew
// (tests change VORLMSGFILE and VORLLANGUAGE between cases).
void ResetErrorTexts();
} // namespace vorl
