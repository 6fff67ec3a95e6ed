# The random-phrase, edit-phrase and best-phrases dialogs. tq_phrasetext is
# their logic without a window (making a random phrase, checking a typed one,
# finding the best phrases, making a peg list), tested without a display; tq_phrasedialogs are
# the Qt dialogs around it.
add_library(tq_phrasetext STATIC
  ${CMAKE_CURRENT_LIST_DIR}/RandomPhrase.cpp ${CMAKE_CURRENT_LIST_DIR}/RandomPhrase.h
  ${CMAKE_CURRENT_LIST_DIR}/PhraseCheck.cpp ${CMAKE_CURRENT_LIST_DIR}/PhraseCheck.h
  ${CMAKE_CURRENT_LIST_DIR}/BestPhrases.cpp ${CMAKE_CURRENT_LIST_DIR}/BestPhrases.h
  ${CMAKE_CURRENT_LIST_DIR}/PegList.cpp ${CMAKE_CURRENT_LIST_DIR}/PegList.h)
target_include_directories(tq_phrasetext PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(tq_phrasetext PUBLIC tq_engine tq_worksheet tq_base)

add_library(tq_phrasedialogs STATIC
  ${CMAKE_CURRENT_LIST_DIR}/PhraseProposal.cpp ${CMAKE_CURRENT_LIST_DIR}/PhraseProposal.h
  ${CMAKE_CURRENT_LIST_DIR}/FormRandom.cpp ${CMAKE_CURRENT_LIST_DIR}/FormRandom.h
  ${CMAKE_CURRENT_LIST_DIR}/FormEditPhrase.cpp ${CMAKE_CURRENT_LIST_DIR}/FormEditPhrase.h
  ${CMAKE_CURRENT_LIST_DIR}/FormBest.cpp ${CMAKE_CURRENT_LIST_DIR}/FormBest.h)
target_include_directories(tq_phrasedialogs PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(tq_phrasedialogs PUBLIC tq_phrasetext tq_qtbase Qt6::Widgets)
