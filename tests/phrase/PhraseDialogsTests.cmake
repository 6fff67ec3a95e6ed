# The random-phrase and edit-phrase dialogs: their plain logic without a
# display, then the two dialogs driven offscreen.
tq_add_test(tq_phrasetext_tests RandomPhraseTests.cpp PhraseCheckTests.cpp BestPhrasesTests.cpp PegListTests.cpp
  PhraseFixture.h)
target_link_libraries(tq_phrasetext_tests PRIVATE tq_phrasetext)
# The property tests also run on the generated dictionary.
add_dependencies(tq_phrasetext_tests tq_data)

tq_add_test(tq_phrasedialogs_tests RandomPhraseDialogTests.cpp EditPhraseDialogTests.cpp BestPhrasesDialogTests.cpp
  PhraseFixture.h)
target_link_libraries(tq_phrasedialogs_tests PRIVATE tq_phrasedialogs Qt6::Test)

# Not a test: draws the Random Phrase dialog on the generated dictionary for
# a telephone number and saves the picture that the README shows.
#   QT_QPA_PLATFORM=offscreen bin/tq_random_screenshot bin/ docs/random-phrase-dialog.png
add_executable(tq_random_screenshot RandomPhraseScreenshot.cpp)
target_link_libraries(tq_random_screenshot PRIVATE tq_phrasedialogs)
add_dependencies(tq_random_screenshot tq_data)

# Not a test: draws the Best Phrases dialog for a telephone number on the
# generated dictionary, for the README (scripts/screenshot.sh runs it).
add_executable(tq_best_screenshot BestPhrasesScreenshot.cpp)
target_link_libraries(tq_best_screenshot PRIVATE tq_phrasedialogs)
add_dependencies(tq_best_screenshot tq_data)
