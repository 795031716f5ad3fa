#include "basalo/Enumerations.h"
#include "basalo/enuFunctionReturnState.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

struct ListedState {
    std::string block;
    long value;
    std::string name;
};

const ListedState kListedStates[] = {
#define BASALO_RETURN_STATE(block, name, value) {#block, value, #name},
#include "basalo/ReturnStates.def"
#undef BASALO_RETURN_STATE
};

struct Block {
    const char* word;
    long first;
    long last;
};

const Block kBlocks[] = {
    {"General", 1, 1},          {"Basalo", 8000, 8002},     {"Netrova", 21000, 21056}, {"Pelago", 21500, 21559},
    {"VVidora", 22000, 22016},  {"Lumaro", 22500, 22569},   {"Exerva", 23000, 23050},
};

const Block* blockOf(const std::string& word)
{
    for (const Block& b : kBlocks) {
        if (word == b.word)
            return &b;
    }
    return nullptr;
}

TEST(ReturnStates, EveryMemberLiesInItsDeliverablesBlockAndCarriesItsWord)
{
    for (const ListedState& s : kListedStates) {
        const Block* block = blockOf(s.block);
        ASSERT_NE(block, nullptr) << s.name;
        EXPECT_GE(s.value, block->first) << s.name;
        EXPECT_LE(s.value, block->last) << s.name;
        EXPECT_EQ(s.name.rfind("enuFunctionReturnState_" + s.block + "_", 0), 0u) << s.name;
    }
}

TEST(ReturnStates, ValuesAndNamesAreUnique)
{
    std::set<long> values;
    std::set<std::string> names;
    for (const ListedState& s : kListedStates) {
        EXPECT_TRUE(values.insert(s.value).second) << s.value;
        EXPECT_TRUE(names.insert(s.name).second) << s.name;
    }
}

TEST(ReturnStates, EveryListedValueNamesItsMember)
{
    for (const ListedState& s : kListedStates)
        EXPECT_EQ(basalo::returnStateName(s.value).toStdString(), s.name);
}

TEST(ReturnStates, MembersOfEachDeliverableKeepTheirValues)
{
    struct Case {
        long member;
        long value;
        const char* name;
    };
    using namespace basalo;
    const Case cases[] = {
        {enuFunctionReturnState_General_Traitement_OK, 1, "enuFunctionReturnState_General_Traitement_OK"},
        {enuFunctionReturnState_Basalo_ConvertKavDblToDate_ErreurGeneree, 8001,
         "enuFunctionReturnState_Basalo_ConvertKavDblToDate_ErreurGeneree"},
        {enuFunctionReturnState_Netrova_clsInetUPL_PostFormData_ErreurTimeOut, 21053,
         "enuFunctionReturnState_Netrova_clsInetUPL_PostFormData_ErreurTimeOut"},
        {enuFunctionReturnState_Netrova_clsBarreManager_piRenseigneVideoFromIndex_ErreurServeur, 21049,
         "enuFunctionReturnState_Netrova_clsBarreManager_piRenseigneVideoFromIndex_ErreurServeur"},
        {enuFunctionReturnState_Pelago_clsManager_AskStart_StateBusy, 21501,
         "enuFunctionReturnState_Pelago_clsManager_AskStart_StateBusy"},
        {enuFunctionReturnState_Pelago_clsBarreManager_piRenseigneQuestion_ErreurNoQuestion, 21516,
         "enuFunctionReturnState_Pelago_clsBarreManager_piRenseigneQuestion_ErreurNoQuestion"},
        {enuFunctionReturnState_VVidora_CasfVideoKAV_LanceVideo_tcPlay, 22015,
         "enuFunctionReturnState_VVidora_CasfVideoKAV_LanceVideo_tcPlay"},
        {enuFunctionReturnState_Lumaro_frmMedia_Affiche_ErreurNbSeq, 22532,
         "enuFunctionReturnState_Lumaro_frmMedia_Affiche_ErreurNbSeq"},
        {enuFunctionReturnState_Lumaro_ContexteManager_CreateModule_ErreurTypeQuelvoro, 22565,
         "enuFunctionReturnState_Lumaro_ContexteManager_CreateModule_ErreurTypeQuelvoro"},
        {enuFunctionReturnState_Exerva_Manager_InitQuestion_ErreurLoadXML, 23041,
         "enuFunctionReturnState_Exerva_Manager_InitQuestion_ErreurLoadXML"},
        {enuFunctionReturnState_Exerva_Manager_onreadystatechange_ErreurQuestionExoAppIsNothing, 23042,
         "enuFunctionReturnState_Exerva_Manager_onreadystatechange_ErreurQuestionExoAppIsNothing"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.member, c.value) << c.name;
        EXPECT_EQ(basalo::returnStateName(c.value), QString::fromLatin1(c.name));
    }
}

TEST(ReturnStates, ValuesWithoutMemberHaveNoName)
{
    for (long value : {0L, -1L, 2L, 7999L, 8003L, 21002L, 21057L, 21502L, 22519L, 22570L, 23002L, 23051L})
        EXPECT_TRUE(basalo::returnStateName(value).isEmpty()) << value;
}

TEST(ConstanteText, GivesTheTextOfEachConstantAndNothingForOtherValues)
{
    struct Case {
        long id;
        QString text;
    };
    const Case cases[] = {
        {1, "."},
        {5, "|"},
        {7, "1440"},
        {100, "#"},
        {101, "|"},
        {102, "\\"},
        {103, QString(QChar(0x00A4))},
        {104, QString(QChar(0x00A3))},
        {200, "10000"},
        {404, "Quelvoro\\IHM Server"},
        {411, "Quelvoro\\IHM Server\\Server Manager\\Server List\\Local Server"},
        {2003, "multilms.ini"},
        {0, ""},
        {2, ""},
        {999, ""},
        {-1, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(basalo::constanteText(c.id), c.text) << c.id;
}

}  // namespace
