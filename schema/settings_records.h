// Table records of the settings of the table terminals: Settings.
// Each record declares its layout's columns; its members hold the current row.
#pragma once

#include "schema/record_columns.h"

#define BWS_COLUMNS_SettingsA(X)                                       \
    X(long, Section, "Section", 0)                                     \
    X(bool, ShowResults, "ShowResults", 0)                             \
    X(bool, ShowOwnResult, "ShowOwnResult", 0)                         \
    X(bool, RepeatResults, "RepeatResults", 0)                         \
    X(short, MaximumResults, "MaximumResults", 0)                      \
    X(bool, ShowPercentage, "ShowPercentage", 0)                       \
    X(bool, GroupSections, "GroupSections", 0)                         \
    X(short, ScorePoints, "ScorePoints", 0)                            \
    X(short, EnterResultsMethod, "EnterResultsMethod", 0)              \
    X(bool, ShowPairNumbers, "ShowPairNumbers", 0)                     \
    X(bool, IntermediateResults, "IntermediateResults", 0)             \
    X(short, AutopoweroffTime, "AutopoweroffTime", 0)                  \
    X(short, VerificationTime, "VerificationTime", 0)                  \
    X(short, ShowContract, "ShowContract", 0)                          \
    X(bool, LeadCard, "LeadCard", 0)                                   \
    X(bool, MemberNumbers, "MemberNumbers", 0)                         \
    X(bool, MemberNumbersNoBlankEntry, "MemberNumbersNoBlankEntry", 0) \
    X(bool, BoardOrderVerification, "BoardOrderVerification", 0)       \
    X(bool, HandRecordValidation, "HandRecordValidation", 0)           \
    X(bool, AutoShutDownBPC, "AutoShutDownBPC", 0)                     \
    X(text, BM2PINcode, "BM2PINcode", 4)                               \
    X(bool, BM2ConfirmNP, "BM2ConfirmNP", 0)                           \
    X(bool, BM2RemainingBoards, "BM2RemainingBoards", 0)               \
    X(bool, BM2NextSeatings, "BM2NextSeatings", 0)                     \
    X(bool, BM2ScoreRecap, "BM2ScoreRecap", 0)                         \
    X(bool, BM2ScoreCorrection, "BM2ScoreCorrection", 0)               \
    X(bool, BM2AutoBoardNumber, "BM2AutoBoardNumber", 0)               \
    X(short, BM2ResultsOverview, "BM2ResultsOverview", 0)              \
    X(short, BM2ShowPlayerNames, "BM2ShowPlayerNames", 0)              \
    X(short, BM2Ranking, "BM2Ranking", 0)                              \
    X(short, BM2PairNumberEntry, "BM2PairNumberEntry", 0)              \
    X(bool, BM2ResetFunctionKey, "BM2ResetFunctionKey", 0)             \
    X(bool, BM2RecordBidding, "BM2RecordBidding", 0)                   \
    X(bool, BM2RecordPlay, "BM2RecordPlay", 0)                         \
    X(bool, BM2ValidateRecording, "BM2ValidateRecording", 0)           \
    X(bool, BM2ShowHands, "BM2ShowHands", 0)                           \
    X(long, BM2NumberValidation, "BM2NumberValidation", 0)             \
    X(long, BM2NameSource, "BM2NameSource", 0)

BWS_RECORD_CLASS(BC_RecSettingsA, BWS_COLUMNS_SettingsA)

#define BWS_COLUMNS_SettingsB(X)                                       \
    X(short, Section, "Section", 0)                                    \
    X(bool, ShowResults, "ShowResults", 0)                             \
    X(bool, ShowOwnResult, "ShowOwnResult", 0)                         \
    X(bool, RepeatResults, "RepeatResults", 0)                         \
    X(short, MaximumResults, "MaximumResults", 0)                      \
    X(bool, ShowPercentage, "ShowPercentage", 0)                       \
    X(bool, GroupSections, "GroupSections", 0)                         \
    X(short, ScorePoints, "ScorePoints", 0)                            \
    X(short, EnterResultsMethod, "EnterResultsMethod", 0)              \
    X(bool, ShowPairNumbers, "ShowPairNumbers", 0)                     \
    X(bool, IntermediateResults, "IntermediateResults", 0)             \
    X(short, AutopoweroffTime, "AutopoweroffTime", 0)                  \
    X(short, VerificationTime, "VerificationTime", 0)                  \
    X(short, ShowContract, "ShowContract", 0)                          \
    X(bool, LeadCard, "LeadCard", 0)                                   \
    X(bool, MemberNumbers, "MemberNumbers", 0)                         \
    X(bool, MemberNumbersNoBlankEntry, "MemberNumbersNoBlankEntry", 0) \
    X(bool, BoardOrderVerification, "BoardOrderVerification", 0)       \
    X(bool, HandRecordValidation, "HandRecordValidation", 0)           \
    X(bool, AutoShutDownBPC, "AutoShutDownBPC", 0)                     \
    X(text, BM2PINcode, "BM2PINcode", 4)                               \
    X(bool, BM2ConfirmNP, "BM2ConfirmNP", 0)                           \
    X(bool, BM2RemainingBoards, "BM2RemainingBoards", 0)               \
    X(bool, BM2NextSeatings, "BM2NextSeatings", 0)                     \
    X(bool, BM2ScoreRecap, "BM2ScoreRecap", 0)                         \
    X(bool, BM2AutoShowScoreRecap, "BM2AutoShowScoreRecap", 0)         \
    X(bool, BM2ScoreCorrection, "BM2ScoreCorrection", 0)               \
    X(bool, BM2AutoBoardNumber, "BM2AutoBoardNumber", 0)               \
    X(bool, BM2FirstBoardManually, "BM2FirstBoardManually", 0)         \
    X(short, BM2ResultsOverview, "BM2ResultsOverview", 0)              \
    X(short, BM2ShowPlayerNames, "BM2ShowPlayerNames", 0)              \
    X(short, BM2Ranking, "BM2Ranking", 0)                              \
    X(bool, BM2GameSummary, "BM2GameSummary", 0)                       \
    X(short, BM2SummaryPoints, "BM2SummaryPoints", 0)                  \
    X(short, BM2PairNumberEntry, "BM2PairNumberEntry", 0)              \
    X(bool, BM2ResetFunctionKey, "BM2ResetFunctionKey", 0)             \
    X(bool, BM2RecordBidding, "BM2RecordBidding", 0)                   \
    X(bool, BM2RecordPlay, "BM2RecordPlay", 0)                         \
    X(bool, BM2ValidateRecording, "BM2ValidateRecording", 0)           \
    X(bool, BM2ShowHands, "BM2ShowHands", 0)                           \
    X(bool, BM2ViewHandRecord, "BM2ViewHandRecord", 0)                 \
    X(bool, BM2EnterHandRecord, "BM2EnterHandRecord", 0)               \
    X(short, BM2EnterHandRecordWhen, "BM2EnterHandRecordWhen", 0)

BWS_RECORD_CLASS(BC_RecSettingsB, BWS_COLUMNS_SettingsB)

#define BWS_COLUMNS_SettingsC(X)                                       \
    X(long, Section, "Section", 0)                                     \
    X(bool, ShowResults, "ShowResults", 0)                             \
    X(bool, ShowOwnResult, "ShowOwnResult", 0)                         \
    X(bool, RepeatResults, "RepeatResults", 0)                         \
    X(short, MaximumResults, "MaximumResults", 0)                      \
    X(bool, ShowPercentage, "ShowPercentage", 0)                       \
    X(bool, GroupSections, "GroupSections", 0)                         \
    X(short, ScorePoints, "ScorePoints", 0)                            \
    X(short, EnterResultsMethod, "EnterResultsMethod", 0)              \
    X(bool, ShowPairNumbers, "ShowPairNumbers", 0)                     \
    X(bool, IntermediateResults, "IntermediateResults", 0)             \
    X(short, AutopoweroffTime, "AutopoweroffTime", 0)                  \
    X(short, VerificationTime, "VerificationTime", 0)                  \
    X(short, ShowContract, "ShowContract", 0)                          \
    X(bool, LeadCard, "LeadCard", 0)                                   \
    X(bool, MemberNumbers, "MemberNumbers", 0)                         \
    X(bool, MemberNumbersNoBlankEntry, "MemberNumbersNoBlankEntry", 0) \
    X(bool, BoardOrderVerification, "BoardOrderVerification", 0)       \
    X(bool, HandRecordValidation, "HandRecordValidation", 0)           \
    X(bool, AutoShutDownBPC, "AutoShutDownBPC", 0)                     \
    X(text, BM2PINcode, "BM2PINcode", 4)                               \
    X(bool, BM2ConfirmNP, "BM2ConfirmNP", 0)                           \
    X(bool, BM2RemainingBoards, "BM2RemainingBoards", 0)               \
    X(bool, BM2NextSeatings, "BM2NextSeatings", 0)                     \
    X(bool, BM2ScoreRecap, "BM2ScoreRecap", 0)                         \
    X(bool, BM2ScoreCorrection, "BM2ScoreCorrection", 0)               \
    X(bool, BM2AutoBoardNumber, "BM2AutoBoardNumber", 0)               \
    X(short, BM2ResultsOverview, "BM2ResultsOverview", 0)              \
    X(short, BM2ShowPlayerNames, "BM2ShowPlayerNames", 0)              \
    X(short, BM2Ranking, "BM2Ranking", 0)                              \
    X(short, BM2PairNumberEntry, "BM2PairNumberEntry", 0)              \
    X(bool, BM2ResetFunctionKey, "BM2ResetFunctionKey", 0)             \
    X(bool, BM2RecordBidding, "BM2RecordBidding", 0)                   \
    X(bool, BM2RecordPlay, "BM2RecordPlay", 0)                         \
    X(bool, BM2ValidateRecording, "BM2ValidateRecording", 0)           \
    X(bool, BM2ShowHands, "BM2ShowHands", 0)                           \
    X(long, BM2NumberValidation, "BM2NumberValidation", 0)

BWS_RECORD_CLASS(BC_RecSettingsC, BWS_COLUMNS_SettingsC)

#define BWS_COLUMNS_SettingsD(X)                                       \
    X(short, Section, "Section", 0)                                    \
    X(bool, ShowResults, "ShowResults", 0)                             \
    X(bool, ShowOwnResult, "ShowOwnResult", 0)                         \
    X(bool, RepeatResults, "RepeatResults", 0)                         \
    X(short, MaximumResults, "MaximumResults", 0)                      \
    X(bool, ShowPercentage, "ShowPercentage", 0)                       \
    X(bool, GroupSections, "GroupSections", 0)                         \
    X(short, ScorePoints, "ScorePoints", 0)                            \
    X(short, EnterResultsMethod, "EnterResultsMethod", 0)              \
    X(bool, ShowPairNumbers, "ShowPairNumbers", 0)                     \
    X(bool, IntermediateResults, "IntermediateResults", 0)             \
    X(short, AutopoweroffTime, "AutopoweroffTime", 0)                  \
    X(short, VerificationTime, "VerificationTime", 0)                  \
    X(short, ShowContract, "ShowContract", 0)                          \
    X(bool, LeadCard, "LeadCard", 0)                                   \
    X(bool, MemberNumbers, "MemberNumbers", 0)                         \
    X(bool, MemberNumbersNoBlankEntry, "MemberNumbersNoBlankEntry", 0) \
    X(bool, BoardOrderVerification, "BoardOrderVerification", 0)       \
    X(bool, HandRecordValidation, "HandRecordValidation", 0)

BWS_RECORD_CLASS(BC_RecSettingsD, BWS_COLUMNS_SettingsD)

#define BWS_COLUMNS_SettingsE(X)                                       \
    X(bool, ShowResults, "ShowResults", 0)                             \
    X(bool, ShowOwnResult, "ShowOwnResult", 0)                         \
    X(bool, RepeatResults, "RepeatResults", 0)                         \
    X(short, MaximumResults, "MaximumResults", 0)                      \
    X(bool, ShowPercentage, "ShowPercentage", 0)                       \
    X(bool, GroupSections, "GroupSections", 0)                         \
    X(short, ScorePoints, "ScorePoints", 0)                            \
    X(short, EnterResultsMethod, "EnterResultsMethod", 0)              \
    X(bool, ShowPairNumbers, "ShowPairNumbers", 0)                     \
    X(bool, IntermediateResults, "IntermediateResults", 0)             \
    X(short, AutopoweroffTime, "AutopoweroffTime", 0)                  \
    X(short, VerificationTime, "VerificationTime", 0)                  \
    X(short, ShowContract, "ShowContract", 0)                          \
    X(bool, LeadCard, "LeadCard", 0)                                   \
    X(bool, MemberNumbers, "MemberNumbers", 0)                         \
    X(bool, MemberNumbersNoBlankEntry, "MemberNumbersNoBlankEntry", 0) \
    X(bool, BoardOrderVerification, "BoardOrderVerification", 0)       \
    X(bool, HandRecordValidation, "HandRecordValidation", 0)

BWS_RECORD_CLASS(BC_RecSettingsE, BWS_COLUMNS_SettingsE)

#define BWS_COLUMNS_SettingsF(X)                                       \
    X(bool, ShowResults, "ShowResults", 0)                             \
    X(bool, ShowOwnResult, "ShowOwnResult", 0)                         \
    X(bool, RepeatResults, "RepeatResults", 0)                         \
    X(short, MaximumResults, "MaximumResults", 0)                      \
    X(bool, ShowPercentage, "ShowPercentage", 0)                       \
    X(bool, GroupSections, "GroupSections", 0)                         \
    X(short, ScorePoints, "ScorePoints", 0)                            \
    X(short, EnterResultsMethod, "EnterResultsMethod", 0)              \
    X(bool, ShowPairNumbers, "ShowPairNumbers", 0)                     \
    X(bool, IntermediateResults, "IntermediateResults", 0)             \
    X(short, AutopoweroffTime, "AutopoweroffTime", 0)                  \
    X(short, VerificationTime, "VerificationTime", 0)                  \
    X(short, ShowContract, "ShowContract", 0)                          \
    X(bool, LeadCard, "LeadCard", 0)                                   \
    X(bool, MemberNumbers, "MemberNumbers", 0)                         \
    X(bool, MemberNumbersNoBlankEntry, "MemberNumbersNoBlankEntry", 0) \
    X(bool, BoardOrderVerification, "BoardOrderVerification", 0)       \
    X(bool, HandRecordValidation, "HandRecordValidation", 0)           \
    X(bool, AutoShutDownBPC, "AutoShutDownBPC", 0)                     \
    X(text, BM2PINcode, "BM2PinCode", 12)                              \
    X(bool, BM2ConfirmNP, "BM2CONFIRMNP", 0)                           \
    X(bool, BM2RemainingBoards, "BM2REMAININGBOARDS", 0)               \
    X(bool, BM2NextSeatings, "BM2NEXTSEATINGS", 0)                     \
    X(bool, BM2ScoreRecap, "BM2SCORERECAP", 0)                         \
    X(bool, BM2AutoShowScoreRecap, "BM2AUTOSHOWSCORERECAP", 0)         \
    X(bool, BM2ScoreCorrection, "BM2SCORECORRECTION", 0)               \
    X(bool, BM2AutoBoardNumber, "BM2AUTOBOARDNUMBER", 0)               \
    X(bool, BM2FirstBoardManually, "BM2FIRSTBOARDMANUALLY", 0)         \
    X(bool, BM2ResultsOverview, "BM2RESULTSOVERVIEW", 0)               \
    X(bool, BM2ShowPlayerNames, "BM2SHOWPLAYERNAMES", 0)               \
    X(bool, BM2Ranking, "BM2RANKING", 0)                               \
    X(bool, BM2GameSummary, "BM2GAMESUMMARY", 0)                       \
    X(bool, BM2SummaryPoints, "BM2SUMMARYPOINTS", 0)                   \
    X(bool, BM2PairNumberEntry, "BM2PAIRNUMBERENTRY", 0)               \
    X(bool, BM2ResetFunctionKey, "BM2RESETFUNCTIONKEY", 0)             \
    X(bool, BM2RecordBidding, "BM2RECORDBIDDING", 0)                   \
    X(bool, BM2RecordPlay, "BM2RECORDPLAY", 0)                         \
    X(bool, BM2ValidateRecording, "BM2VALIDATERECORDING", 0)           \
    X(bool, BM2ShowHands, "BM2SHOWHANDS", 0)                           \
    X(bool, BM2NumberValidation, "BM2NUMBERVALIDATION", 0)             \
    X(bool, BM2ViewHandRecord, "BM2VIEWHANDRECORD", 0)                 \
    X(bool, BM2EnterHandRecord, "BM2ENTERHANDRECORD", 0)               \
    X(bool, BM2EnterHandRecordWhen, "BM2ENTERHANDRECORDWHEN", 0)       \
    X(bool, BM2TEXTBASEDNUMBER, "BM2TEXTBASEDNUMBER", 0)

BWS_RECORD_CLASS(BC_RecSettingsF, BWS_COLUMNS_SettingsF)

#define BWS_COLUMNS_SettingsG(X)                                       \
    X(long, ID, "ID", 0)                                               \
    X(short, Section, "Section", 0)                                    \
    X(bool, ShowResults, "ShowResults", 0)                             \
    X(bool, ShowOwnResult, "ShowOwnResult", 0)                         \
    X(bool, RepeatResults, "RepeatResults", 0)                         \
    X(short, MaximumResults, "MaximumResults", 0)                      \
    X(bool, ShowPercentage, "ShowPercentage", 0)                       \
    X(bool, GroupSections, "GroupSections", 0)                         \
    X(short, ScorePoints, "ScorePoints", 0)                            \
    X(short, EnterResultsMethod, "EnterResultsMethod", 0)              \
    X(bool, ShowPairNumbers, "ShowPairNumbers", 0)                     \
    X(bool, IntermediateResults, "IntermediateResults", 0)             \
    X(short, AutopoweroffTime, "AutopoweroffTime", 0)                  \
    X(short, VerificationTime, "VerificationTime", 0)                  \
    X(short, ShowContract, "ShowContract", 0)                          \
    X(bool, LeadCard, "LeadCard", 0)                                   \
    X(bool, MemberNumbers, "MemberNumbers", 0)                         \
    X(bool, MemberNumbersNoBlankEntry, "MemberNumbersNoBlankEntry", 0) \
    X(bool, BoardOrderVerification, "BoardOrderVerification", 0)       \
    X(bool, HandRecordValidation, "HandRecordValidation", 0)           \
    X(bool, AutoShutDownBPC, "AutoShutdownBpc", 0)

BWS_RECORD_CLASS(BC_RecSettingsG, BWS_COLUMNS_SettingsG)

#define BWS_COLUMNS_SettingsH(X)                                       \
    X(short, Section, "Section", 0)                                    \
    X(bool, ShowResults, "ShowResults", 0)                             \
    X(bool, ShowOwnResult, "ShowOwnResult", 0)                         \
    X(bool, RepeatResults, "RepeatResults", 0)                         \
    X(short, MaximumResults, "MaximumResults", 0)                      \
    X(bool, ShowPercentage, "ShowPercentage", 0)                       \
    X(bool, GroupSections, "GroupSections", 0)                         \
    X(short, ScorePoints, "ScorePoints", 0)                            \
    X(short, EnterResultsMethod, "EnterResultsMethod", 0)              \
    X(bool, ShowPairNumbers, "ShowPairNumbers", 0)                     \
    X(bool, IntermediateResults, "IntermediateResults", 0)             \
    X(short, AutopoweroffTime, "AutopoweroffTime", 0)                  \
    X(short, VerificationTime, "VerificationTime", 0)                  \
    X(short, ShowContract, "ShowContract", 0)                          \
    X(bool, LeadCard, "LeadCard", 0)                                   \
    X(bool, MemberNumbers, "MemberNumbers", 0)                         \
    X(bool, MemberNumbersNoBlankEntry, "MemberNumbersNoBlankEntry", 0) \
    X(bool, BoardOrderVerification, "BoardOrderVerification", 0)       \
    X(bool, HandRecordValidation, "HandRecordValidation", 0)           \
    X(bool, AutoShutDownBPC, "AutoShutDownBPC", 0)

BWS_RECORD_CLASS(BC_RecSettingsH, BWS_COLUMNS_SettingsH)

#define BWS_COLUMNS_SettingsI(X)                                       \
    X(short, Section, "Section", 0)                                    \
    X(bool, ShowResults, "ShowResults", 0)                             \
    X(bool, ShowOwnResult, "ShowOwnResult", 0)                         \
    X(bool, RepeatResults, "RepeatResults", 0)                         \
    X(short, MaximumResults, "MaximumResults", 0)                      \
    X(bool, ShowPercentage, "ShowPercentage", 0)                       \
    X(bool, GroupSections, "GroupSections", 0)                         \
    X(short, ScorePoints, "ScorePoints", 0)                            \
    X(short, EnterResultsMethod, "EnterResultsMethod", 0)              \
    X(bool, ShowPairNumbers, "ShowPairNumbers", 0)                     \
    X(bool, IntermediateResults, "IntermediateResults", 0)             \
    X(short, AutopoweroffTime, "AutopoweroffTime", 0)                  \
    X(short, VerificationTime, "VerificationTime", 0)                  \
    X(short, ShowContract, "ShowContract", 0)                          \
    X(bool, LeadCard, "LeadCard", 0)                                   \
    X(bool, MemberNumbers, "MemberNumbers", 0)                         \
    X(bool, MemberNumbersNoBlankEntry, "MemberNumbersNoBlankEntry", 0) \
    X(bool, BoardOrderVerification, "BoardOrderVerification", 0)

BWS_RECORD_CLASS(BC_RecSettingsI, BWS_COLUMNS_SettingsI)

#define BWS_COLUMNS_SettingsJ(X)                                       \
    X(short, ID, "ID", 0)                                              \
    X(long, Section, "Section", 0)                                     \
    X(bool, ShowResults, "ShowResults", 0)                             \
    X(bool, ShowOwnResult, "ShowOwnResult", 0)                         \
    X(bool, RepeatResults, "RepeatResults", 0)                         \
    X(short, MaximumResults, "MaximumResults", 0)                      \
    X(bool, ShowPercentage, "ShowPercentage", 0)                       \
    X(bool, GroupSections, "GroupSections", 0)                         \
    X(short, ScorePoints, "ScorePoints", 0)                            \
    X(short, EnterResultsMethod, "EnterResultsMethod", 0)              \
    X(bool, ShowPairNumbers, "ShowPairNumbers", 0)                     \
    X(bool, IntermediateResults, "IntermediateResults", 0)             \
    X(short, AutopoweroffTime, "AutopoweroffTime", 0)                  \
    X(short, VerificationTime, "VerificationTime", 0)                  \
    X(short, ShowContract, "ShowContract", 0)                          \
    X(bool, LeadCard, "LeadCard", 0)                                   \
    X(bool, MemberNumbers, "MemberNumbers", 0)                         \
    X(bool, MemberNumbersNoBlankEntry, "MemberNumbersNoBlankEntry", 0) \
    X(bool, BoardOrderVerification, "BoardOrderVerification", 0)       \
    X(bool, HandRecordValidation, "HandRecordValidation", 0)           \
    X(bool, AutoShutDownBPC, "AutoShutDownBPC", 0)                     \
    X(text, BM2PINcode, "BM2PINcode", 4)                               \
    X(bool, BM2ConfirmNP, "BM2ConfirmNP", 0)                           \
    X(bool, BM2RemainingBoards, "BM2RemainingBoards", 0)               \
    X(bool, BM2NextSeatings, "BM2NextSeatings", 0)                     \
    X(bool, BM2ScoreRecap, "BM2ScoreRecap", 0)                         \
    X(bool, BM2ScoreCorrection, "BM2ScoreCorrection", 0)               \
    X(bool, BM2AutoBoardNumber, "BM2AutoBoardNumber", 0)               \
    X(short, BM2ResultsOverview, "BM2ResultsOverview", 0)              \
    X(short, BM2ShowPlayerNames, "BM2ShowPlayerNames", 0)              \
    X(short, BM2Ranking, "BM2Ranking", 0)                              \
    X(short, BM2PairNumberEntry, "BM2PairNumberEntry", 0)              \
    X(bool, BM2ResetFunctionKey, "BM2ResetFunctionKey", 0)             \
    X(bool, BM2RecordBidding, "BM2RecordBidding", 0)                   \
    X(bool, BM2RecordPlay, "BM2RecordPlay", 0)                         \
    X(bool, BM2ValidateRecording, "BM2ValidateRecording", 0)           \
    X(bool, BM2ShowHands, "BM2ShowHands", 0)                           \
    X(long, BM2NumberValidation, "BM2NumberValidation", 0)

BWS_RECORD_CLASS(BC_RecSettingsJ, BWS_COLUMNS_SettingsJ)
