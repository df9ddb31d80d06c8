#include "world/resource_bindings.h"

#include <vector>

#include "framework/media/bmfont.h"
#include "framework/media/particles.h"
#include "framework/media/resources.h"

namespace kelp {

platform::ImageRef ImageLoadingFull;
platform::ImageRef ImageLoadingEmpty;
platform::ImageRef ImageLoadingText;
platform::ImageRef ImageRedLamp;
platform::ImageRef ImageFlash;
platform::ImageRef ImageTrolleyBack;
platform::ImageRef ImageTrolleyFront;
platform::ImageRef ImageTrolleyWheel;
platform::ImageRef ImageCreature;
platform::ImageRef ImageCreatureBack;
platform::ImageRef ImageCreature2;
platform::ImageRef ImageCreature2Back;
platform::ImageRef ImageCreature3;
platform::ImageRef ImageCreature3Back;
platform::ImageRef ImageCreature4;
platform::ImageRef ImageCreature4Back;
platform::ImageRef ImageCreature5;
platform::ImageRef ImageCreature5Back;
platform::ImageRef ImageCreature6;
platform::ImageRef ImageCreature6Back;
platform::ImageRef ImageCreature7;
platform::ImageRef ImageCreature7Back;
platform::ImageRef ImageCreature8;
platform::ImageRef ImageBlockGrey;
platform::ImageRef ImageBlockGreyBlink;
platform::ImageRef ImageBlockBoss01;
platform::ImageRef ImageBlockBoss01Blink;
platform::ImageRef ImageBlockBossYeti;
platform::ImageRef ImageBlockBossYetiBlink;
platform::ImageRef ImageBlockBossElite;
platform::ImageRef ImageBlockBossEliteBlink;
platform::ImageRef ImageBlockSmallElite;
platform::ImageRef ImageBlockSmallEliteBlink;
platform::ImageRef ImageBlockEvilYeti;
platform::ImageRef ImageBlockEvilYetiBlink;
platform::ImageRef ImageBlockBrownieFull;
platform::ImageRef ImageBlockBrownieFullBlink;
platform::ImageRef ImageBlockBrownie;
platform::ImageRef ImageBlockBrownieBlink;
platform::ImageRef ImageHover;
platform::ImageRef ImageHoverLamp;
platform::ImageRef ImageHoverup;
platform::ImageRef ImageRels;
platform::ImageRef ImageRopeTex;
platform::ImageRef ImageWaterTex;
platform::ImageRef ImageWaterBigTex;
platform::ImageRef ImageStone;
platform::ImageRef ImageTruba;
platform::ImageRef ImageShadow;
platform::ImageRef ImageLight;
platform::ImageRef ImageProgressbarFull;
platform::ImageRef ImageProgressbarHolders;
platform::ImageRef ImageProgressbarTop;
Ref<TBMFont> FontCompleteScores;
Ref<TBMFont> FontComics;
Ref<TBMFont> FontHelp;
Ref<TBMFont> Font02;
Ref<TBMFont> FontScores;
Ref<TBMFont> FontHighScores;
Ref<TBMFont> FontBlockScores;
Ref<TBMFont> FontComic;
Ref<TBMFont> FontHi;
Ref<TBMFont> FontVillageScores;
Ref<TBMFont> FontBuild01;
Ref<TBMFont> FontBuild02;
Ref<TBMFont> FontLevelSelect;
Ref<TEffect> EffectSalute;
Ref<TEffect> EffectTimeBonus;
Ref<TEffect> EffectBrick;
Ref<TEffect> EffectBrick1;
Ref<TEffect> EffectBrick2;
Ref<TEffect> EffectBrick3;
Ref<TEffect> EffectBonusFreeze;
Ref<TEffect> EffectCoins;
Ref<TEffect> EffectRay;
Ref<TEffect> EffectStone01;
Ref<TEffect> EffectCoinsLight;
Ref<TEffect> EffectGems;
Ref<TEffect> EffectExplIskra;
Ref<TEffect> EffectExplCircle;
Ref<TEffect> EffectExplIskra2;
Ref<TEffect> EffectExplCircle2;
Ref<TEffect> EffectWater;
Ref<TEffect> EffectWater2;
Ref<TEffect> EffectWaterfall;
Ref<TEffect> EffectWaterfall2;
Ref<TEffect> EffectWaterfall3;
Ref<TEffect> EffectWaterfall4;
Ref<TEffect> EffectBoxExplode;
Ref<TEffect> EffectParaziteClick;
Ref<TEffect> EffectParaziteExplode;
Ref<TEffect> EffectParExplodeDust;
Ref<TEffect> EffectBoxExplodeDust;
Ref<TEffect> EffectBoxExplodeSparks;
Ref<TEffect> EffectStars04;
Ref<TEffect> EffectStars05;
Ref<TEffect> EffectSparking;
Ref<TEffect> EffectSparking2;
Ref<TEffect> EffectSparking3;
Ref<TEffect> EffectSparking4;
Ref<TEffect> EffectPortal01;
Ref<TEffect> EffectPortal02;
Ref<TEffect> EffectPortalSmoke;
Ref<TEffect> EffectBeam;
Ref<TEffect> EffectBeamSnow;
Ref<TEffect> EffectTrophy01;
Ref<TEffect> EffectTrophyStar01;
Ref<TEffect> EffectAfterBeam;
Ref<TEffect> EffectUpgradeBuild;
Ref<TEffect> EffectUpgradeBuildUnder;
Ref<TEffect> EffectUpgradeBuildRoad2;
Ref<TEffect> EffectUpgradeBuildBefore;
Ref<TEffect> EffectUpgradeBuildBefore2;
Ref<TEffect> EffectUpgradeBuildSnow;
Ref<TEffect> EffectUpgradeBuildSnow2;
Ref<TEffect> EffectUpgradeBricks;
Ref<TEffect> EffectElectro;
Ref<TEffect> EffectFlyingtext;
Ref<TEffect> EffectBubble;
Ref<TEffect> EffectWaterBubble;
Ref<TEffect> EffectDust;
Ref<TEffect> EffectFloorDust;
Ref<TEffect> EffectSmoke01;
Ref<TEffect> EffectSmoke02;
Ref<TEffect> EffectFreeze02;
Ref<TEffect> EffectSmoke01Village;
Ref<TEffect> EffectSmoke02Village;
Ref<TEffect> EffectZeppelinSmoke;
Ref<TEffect> EffectSmokePipeBig;
Ref<TEffect> EffectSmokePipeLittle;
Ref<TEffect> EffectGeysir01;
Ref<TEffect> EffectGeysir02;
Ref<TEffect> EffectFireBody;
Ref<TEffect> EffectFireBody2;
Ref<TEffect> EffectFireSmoke;
Ref<TEffect> EffectFireSmoke2;
Ref<TEffect> EffectFireSparks;
Ref<TEffect> EffectFireSparks2;
Ref<TEffect> EffectPath;
Ref<TEffect> EffectSnow;
Ref<TEffect> EffectRain;

namespace {

constexpr TBinding kInit[] = {
    {BIND_IMAGE, "IMAGE_LOADING_FULL", &ImageLoadingFull, nullptr, nullptr},
    {BIND_IMAGE, "IMAGE_LOADING_EMPTY", &ImageLoadingEmpty, nullptr, nullptr},
    {BIND_IMAGE, "IMAGE_LOADING_TEXT", &ImageLoadingText, nullptr, nullptr},
    {BIND_IMAGE, "IMAGE_GUI_MESSAGE_BOX", &ImageGuiMessageBox, nullptr, nullptr},
    {BIND_IMAGE, "IMAGE_RED_LAMP", &ImageRedLamp, nullptr, nullptr},
    {BIND_IMAGE, "IMAGE_FLASH", &ImageFlash, nullptr, nullptr},
    {BIND_IMAGE, "IMAGE_TROLLEY_BACK", &ImageTrolleyBack, nullptr, nullptr},
    {BIND_IMAGE, "IMAGE_TROLLEY_FRONT", &ImageTrolleyFront, nullptr, nullptr},
    {BIND_IMAGE, "IMAGE_TROLLEY_WHEEL", &ImageTrolleyWheel, nullptr, nullptr},
    {BIND_IMAGE, "IMAGE_CREATURE", &ImageCreature, nullptr, nullptr},
    {BIND_IMAGE, "IMAGE_CREATURE_BACK", &ImageCreatureBack, nullptr, nullptr},
    {BIND_IMAGE, "IMAGE_CREATURE2", &ImageCreature2, nullptr, nullptr},
    {BIND_IMAGE, "IMAGE_CREATURE2_BACK", &ImageCreature2Back, nullptr, nullptr},
    {BIND_IMAGE, "IMAGE_CREATURE3", &ImageCreature3, nullptr, nullptr},
    {BIND_IMAGE, "IMAGE_CREATURE3_BACK", &ImageCreature3Back, nullptr, nullptr},
    {BIND_IMAGE, "IMAGE_CREATURE4", &ImageCreature4, nullptr, nullptr},
    {BIND_IMAGE, "IMAGE_CREATURE4_BACK", &ImageCreature4Back, nullptr, nullptr},
    {BIND_IMAGE, "IMAGE_CREATURE5", &ImageCreature5, nullptr, nullptr},
    {BIND_IMAGE, "IMAGE_CREATURE5_BACK", &ImageCreature5Back, nullptr, nullptr},
    {BIND_IMAGE, "IMAGE_CREATURE6", &ImageCreature6, nullptr, nullptr},
    {BIND_IMAGE, "IMAGE_CREATURE6_BACK", &ImageCreature6Back, nullptr, nullptr},
    {BIND_IMAGE, "IMAGE_CREATURE7", &ImageCreature7, nullptr, nullptr},
    {BIND_IMAGE, "IMAGE_CREATURE7_BACK", &ImageCreature7Back, nullptr, nullptr},
    {BIND_IMAGE, "IMAGE_CREATURE8", &ImageCreature8, nullptr, nullptr},
    {BIND_IMAGE, "IMAGE_BLOCK_GREY", &ImageBlockGrey, nullptr, nullptr},
    {BIND_IMAGE, "IMAGE_BLOCK_GREY_BLINK", &ImageBlockGreyBlink, nullptr, nullptr},
    {BIND_IMAGE, "IMAGE_BLOCK_BOSS_01", &ImageBlockBoss01, nullptr, nullptr},
    {BIND_IMAGE, "IMAGE_BLOCK_BOSS_01_BLINK", &ImageBlockBoss01Blink, nullptr, nullptr},
    {BIND_IMAGE, "IMAGE_BLOCK_BOSS_YETI", &ImageBlockBossYeti, nullptr, nullptr},
    {BIND_IMAGE, "IMAGE_BLOCK_BOSS_YETI_BLINK", &ImageBlockBossYetiBlink, nullptr, nullptr},
    {BIND_IMAGE, "IMAGE_BLOCK_BOSS_ELITE", &ImageBlockBossElite, nullptr, nullptr},
    {BIND_IMAGE, "IMAGE_BLOCK_BOSS_ELITE_BLINK", &ImageBlockBossEliteBlink, nullptr, nullptr},
    {BIND_IMAGE, "IMAGE_BLOCK_SMALL_ELITE", &ImageBlockSmallElite, nullptr, nullptr},
    {BIND_IMAGE, "IMAGE_BLOCK_SMALL_ELITE_BLINK", &ImageBlockSmallEliteBlink, nullptr, nullptr},
    {BIND_IMAGE, "IMAGE_BLOCK_EVIL_YETI", &ImageBlockEvilYeti, nullptr, nullptr},
    {BIND_IMAGE, "IMAGE_BLOCK_EVIL_YETI_BLINK", &ImageBlockEvilYetiBlink, nullptr, nullptr},
    {BIND_IMAGE, "IMAGE_BLOCK_BROWNIE_FULL", &ImageBlockBrownieFull, nullptr, nullptr},
    {BIND_IMAGE, "IMAGE_BLOCK_BROWNIE_FULL_BLINK", &ImageBlockBrownieFullBlink, nullptr, nullptr},
    {BIND_IMAGE, "IMAGE_BLOCK_BROWNIE", &ImageBlockBrownie, nullptr, nullptr},
    {BIND_IMAGE, "IMAGE_BLOCK_BROWNIE_BLINK", &ImageBlockBrownieBlink, nullptr, nullptr},
    {BIND_IMAGE, "IMAGE_HOVER", &ImageHover, nullptr, nullptr},
    {BIND_IMAGE, "IMAGE_HOVER_LAMP", &ImageHoverLamp, nullptr, nullptr},
    {BIND_IMAGE, "IMAGE_HOVERUP", &ImageHoverup, nullptr, nullptr},
    {BIND_IMAGE, "IMAGE_RELS", &ImageRels, nullptr, nullptr},
    {BIND_IMAGE, "IMAGE_ROPE_TEX", &ImageRopeTex, nullptr, nullptr},
    {BIND_IMAGE, "IMAGE_WATER_TEX", &ImageWaterTex, nullptr, nullptr},
    {BIND_IMAGE, "IMAGE_WATER_BIG_TEX", &ImageWaterBigTex, nullptr, nullptr},
    {BIND_IMAGE, "IMAGE_STONE", &ImageStone, nullptr, nullptr},
    {BIND_IMAGE, "IMAGE_TRUBA", &ImageTruba, nullptr, nullptr},
    {BIND_IMAGE, "IMAGE_SHADOW", &ImageShadow, nullptr, nullptr},
    {BIND_IMAGE, "IMAGE_LIGHT", &ImageLight, nullptr, nullptr},
    {BIND_IMAGE, "IMAGE_PROGRESSBAR_FULL", &ImageProgressbarFull, nullptr, nullptr},
    {BIND_IMAGE, "IMAGE_PROGRESSBAR_HOLDERS", &ImageProgressbarHolders, nullptr, nullptr},
    {BIND_IMAGE, "IMAGE_PROGRESSBAR_TOP", &ImageProgressbarTop, nullptr, nullptr},
    {BIND_IMAGE, "IMAGE_COMPLETED"},
    {BIND_IMAGE, "IMAGE_GAMEOVER_TEXT_01"},
    {BIND_IMAGE, "IMAGE_GAMEOVER_TEXT_02"},
    {BIND_IMAGE, "IMAGE_HURRY"},
    {BIND_IMAGE, "IMAGE_SKIP"},
    {BIND_IMAGE, "IMAGE_SKIP3"},
    {BIND_IMAGE, "IMAGE_SKIP2"},
    {BIND_IMAGE, "IMAGE_SKIP1"},
    {BIND_IMAGE, "IMAGE_BUTTON_RETRY"},
    {BIND_IMAGE, "IMAGE_BUTTON_SKIP"},
    {BIND_IMAGE, "IMAGE_BUTTON_SKIP_LOCKED"},
    {BIND_IMAGE, "IMAGE_GUI_CIRCLE"},
    {BIND_IMAGE, "IMAGE_GUI_SCROLL_EMPTY"},
    {BIND_IMAGE, "IMAGE_GUI_SCROLL_FULL"},
    {BIND_IMAGE, "IMAGE_GUI_SCROLL_MARKER_OFF"},
    {BIND_IMAGE, "IMAGE_GUI_SCROLL_MARKER_ON"},
    {BIND_IMAGE, "IMAGE_GUI_CHECKBOX_ON"},
    {BIND_IMAGE, "IMAGE_GUI_CHECKBOX_OFF"},
    {BIND_IMAGE, "IMAGE_GUI_BT_OK"},
    {BIND_IMAGE, "IMAGE_GUI_BT_CANCEL"},
    {BIND_IMAGE, "IMAGE_GUI_BT_CREDITS"},
    {BIND_IMAGE, "IMAGE_GUI_BT_CREDITS_OFF"},
    {BIND_IMAGE, "IMAGE_GUI_ARROW"},
    {BIND_IMAGE, "IMAGE_GAMEMENU_MESSAGE_BOX"},
    {BIND_IMAGE, "IMAGE_GAMEMENU_HELP_FRAME"},
    {BIND_IMAGE, "IMAGE_GAMEMENU_BT_RESUME"},
    {BIND_IMAGE, "IMAGE_GAMEMENU_BT_OPTIONS"},
    {BIND_IMAGE, "IMAGE_GAMEMENU_BT_TOISLAND"},
    {BIND_IMAGE, "IMAGE_GAMEMENU_BT_TOISLAND_LOCKED"},
    {BIND_IMAGE, "IMAGE_GAMEMENU_BT_MAINMENU"},
    {BIND_IMAGE, "IMAGE_GAMEMENU_BT_HELP"},
    {BIND_IMAGE, "IMAGE_CLOUD_01"},
    {BIND_IMAGE, "IMAGE_CLOUD_02"},
    {BIND_IMAGE, "IMAGE_CLOUD_03"},
    {BIND_IMAGE, "IMAGE_CLOUD_04"},
    {BIND_IMAGE, "IMAGE_CLOUD_05"},
    {BIND_IMAGE, "IMAGE_SKY"},
    {BIND_IMAGE, "IMAGE_NIGHT_SKY"},
    {BIND_IMAGE, "IMAGE_GUI_CURSOR_01"},
    {BIND_IMAGE, "IMAGE_GUI_CURSOR_02"},
    {BIND_IMAGE, "IMAGE_GUI_CURSOR_03"},
    {BIND_IMAGE, "IMAGE_GUI_DIALOG_CLOUD"},
    {BIND_IMAGE, "IMAGE_GUI_OPTIONS"},
    {BIND_IMAGE, "IMAGE_GUI_BT_YES"},
    {BIND_IMAGE, "IMAGE_GUI_BT_NO"},
    {BIND_IMAGE, "IMAGE_SPARKLE01"},
    {BIND_IMAGE, "IMAGE_PARTICLE_01"},
    {BIND_IMAGE, "IMAGE_PARTICLE_02"},
    {BIND_IMAGE, "IMAGE_SNOW"},
    {BIND_IMAGE, "IMAGE_BRICKS"},
    {BIND_IMAGE, "IMAGE_EXPL_ISKRA"},
    {BIND_IMAGE, "IMAGE_COIN"},
    {BIND_IMAGE, "IMAGE_GEYSIR"},
    {BIND_IMAGE, "IMAGE_WATERFALL"},
    {BIND_IMAGE, "IMAGE_RAIN"},
    {BIND_IMAGE, "IMAGE_RING"},
    {BIND_IMAGE, "IMAGE_WATER_DROP"},
    {BIND_IMAGE, "IMAGE_BRICK_PART"},
    {BIND_IMAGE, "IMAGE_BRICK_PART2"},
    {BIND_IMAGE, "IMAGE_ICE_PART"},
    {BIND_IMAGE, "IMAGE_CRYSTALL_PART"},
    {BIND_IMAGE, "IMAGE_GEM_01"},
    {BIND_IMAGE, "IMAGE_GEM_02"},
    {BIND_IMAGE, "IMAGE_GEM_03"},
    {BIND_IMAGE, "IMAGE_GEM_04"},
    {BIND_IMAGE, "IMAGE_BEAM"},
    {BIND_IMAGE, "IMAGE_BUBBLE"},
    {BIND_IMAGE, "IMAGE_BUBBLE_BLUE"},
    {BIND_IMAGE, "IMAGE_DOT"},
    {BIND_IMAGE, "IMAGE_ISKRA"},
    {BIND_IMAGE, "IMAGE_CIRCLE"},
    {BIND_IMAGE, "IMAGE_SMOKE"},
    {BIND_IMAGE, "IMAGE_SMOKE01"},
    {BIND_IMAGE, "IMAGE_SMOKE02"},
    {BIND_IMAGE, "IMAGE_TROPHY_LIGHT"},
    {BIND_IMAGE, "IMAGE_PARTICLE"},
    {BIND_IMAGE, "IMAGE_BOXPART_UL"},
    {BIND_IMAGE, "IMAGE_BOXPART_UR"},
    {BIND_IMAGE, "IMAGE_BOXPART_DR"},
    {BIND_IMAGE, "IMAGE_BOXPART_DL"},
    {BIND_IMAGE, "IMAGE_BOXPARTSTEEL_UL"},
    {BIND_IMAGE, "IMAGE_BOXPARTSTEEL_UR"},
    {BIND_IMAGE, "IMAGE_BOXPARTSTEEL_DR"},
    {BIND_IMAGE, "IMAGE_BOXPARTSTEEL_DL"},
    {BIND_IMAGE, "IMAGE_BOXPARTGOLD_UL"},
    {BIND_IMAGE, "IMAGE_BOXPARTGOLD_UR"},
    {BIND_IMAGE, "IMAGE_BOXPARTGOLD_DR"},
    {BIND_IMAGE, "IMAGE_BOXPARTGOLD_DL"},
    {BIND_IMAGE, "IMAGE_STAR_01"},
    {BIND_IMAGE, "IMAGE_STAR_022"},
    {BIND_IMAGE, "IMAGE_STAR_03"},
    {BIND_IMAGE, "IMAGE_STAR_04"},
    {BIND_IMAGE, "IMAGE_SPARKLE_01"},
    {BIND_IMAGE, "IMAGE_STAR_02"},
    {BIND_IMAGE, "IMAGE_FLAME"},
    {BIND_IMAGE, "IMAGE_FLAME3"},
    {BIND_IMAGE, "IMAGE_FLAME4"},
    {BIND_IMAGE, "IMAGE_PIMPO"},
    {BIND_IMAGE, "IMAGE_GAMEOVER"},
    {BIND_IMAGE, "IMAGE_RAY"},
    {BIND_IMAGE, "IMAGE_CLOCK_CAP"},
    {BIND_IMAGE, "IMAGE_CLOCK_FREEZE"},
    {BIND_IMAGE, "IMAGE_AIM"},
    {BIND_IMAGE, "IMAGE_LAZER"},
    {BIND_IMAGE, "IMAGE_BRICK_01"},
    {BIND_IMAGE, "IMAGE_BRICK_02"},
    {BIND_IMAGE, "IMAGE_BRICK_ICE"},
    {BIND_IMAGE, "IMAGE_TROLLEY_CLOCK"},
    {BIND_IMAGE, "IMAGE_TROLLEY_CLOCK_SHADOW"},
    {BIND_IMAGE, "IMAGE_ELLO"},
    {BIND_IMAGE, "IMAGE_ELLO_BLINK"},
    {BIND_IMAGE, "IMAGE_REDRICE"},
    {BIND_IMAGE, "IMAGE_REDRICE_BLINK"},
    {BIND_IMAGE, "IMAGE_BLOCK_BLUE"},
    {BIND_IMAGE, "IMAGE_BLOCK_GREEN"},
    {BIND_IMAGE, "IMAGE_BLOCK_ORANGE"},
    {BIND_IMAGE, "IMAGE_BLOCK_PURPLE"},
    {BIND_IMAGE, "IMAGE_BLOCK_RED"},
    {BIND_IMAGE, "IMAGE_BLOCK_SKY"},
    {BIND_IMAGE, "IMAGE_BLOCK_BROWN"},
    {BIND_IMAGE, "IMAGE_BONUS_EXPLOSION"},
    {BIND_IMAGE, "IMAGE_BONUS_PARABOMB"},
    {BIND_IMAGE, "IMAGE_BONUS_FREEZE"},
    {BIND_IMAGE, "IMAGE_BONUS_RESIZE"},
    {BIND_IMAGE, "IMAGE_BONUS_RAY"},
    {BIND_IMAGE, "IMAGE_BLOCK_ICE"},
    {BIND_IMAGE, "IMAGE_CHEST_01"},
    {BIND_IMAGE, "IMAGE_CHEST_02"},
    {BIND_IMAGE, "IMAGE_BROWNIE_TRANSFORM"},
    {BIND_IMAGE, "IMAGE_BLOCK_STEEL"},
    {BIND_IMAGE, "IMAGE_BLOCK_GOLD"},
    {BIND_IMAGE, "IMAGE_CABLE_TEX"},
    {BIND_IMAGE, "IMAGE_CLOCK"},
    {BIND_IMAGE, "IMAGE_COINS"},
    {BIND_IMAGE, "IMAGE_COMBOS"},
    {BIND_IMAGE, "IMAGE_COMPLETE_FRAME"},
    {BIND_IMAGE, "IMAGE_MAX_COMBO"},
    {BIND_IMAGE, "IMAGE_ORBICS"},
    {BIND_IMAGE, "IMAGE_SCORE"},
    {BIND_IMAGE, "IMAGE_STAR"},
    {BIND_IMAGE, "IMAGE_TIME_BONUS"},
    {BIND_IMAGE, "IMAGE_TOTAL_SCORE"},
    {BIND_IMAGE, "IMAGE_NO"},
    {BIND_IMAGE, "IMAGE_SWING_ROPE"},
    {BIND_IMAGE, "IMAGE_GEARS"},
    {BIND_IMAGE, "IMAGE_RIGHT_GEARS"},
    {BIND_IMAGE, "IMAGE_FISH_MOVE"},
    {BIND_IMAGE, "IMAGE_CLOCK_SHADOW"},
    {BIND_IMAGE, "IMAGE_CLOCK_ARROW"},
    {BIND_IMAGE, "IMAGE_CLOCK_PIP"},
    {BIND_IMAGE, "IMAGE_LEVELSCORE"},
    {BIND_IMAGE, "IMAGE_RIGHT_PANEL"},
    {BIND_IMAGE, "IMAGE_RIGHT_PANEL_BACK"},
    {BIND_IMAGE, "IMAGE_LEFT_PANEL"},
    {BIND_IMAGE, "IMAGE_PALM_03"},
    {BIND_IMAGE, "IMAGE_PALM_04"},
    {BIND_IMAGE, "IMAGE_PALM_05"},
    {BIND_IMAGE, "IMAGE_PALM_06"},
    {BIND_IMAGE, "IMAGE_PALM_07"},
    {BIND_IMAGE, "IMAGE_FLOOR"},
    {BIND_IMAGE, "IMAGE_FLOOR_LEG"},
    {BIND_IMAGE, "IMAGE_TOLKALKA"},
    {BIND_IMAGE, "IMAGE_SHNIAGA"},
    {BIND_IMAGE, "IMAGE_BACK"},
    {BIND_IMAGE, "IMAGE_BACK_EVIL"},
    {BIND_IMAGE, "IMAGE_SWING_TOP"},
    {BIND_IMAGE, "IMAGE_SWING_BODY"},
    {BIND_IMAGE, "IMAGE_SWING_PLATFORM"},
    {BIND_IMAGE, "IMAGE_SWING_BIG_WHEEL"},
    {BIND_IMAGE, "IMAGE_SWING_WHEEL"},
    {BIND_IMAGE, "IMAGE_VODOROSL"},
    {BIND_IMAGE, "IMAGE_VODOROSL2"},
    {BIND_IMAGE, "IMAGE_SNOW_RIGHT_PANEL"},
    {BIND_IMAGE, "IMAGE_SNOW_LEFT_PANEL"},
    {BIND_IMAGE, "IMAGE_SNOW_BACK"},
    {BIND_IMAGE, "IMAGE_SNOW_BACK2"},
    {BIND_IMAGE, "IMAGE_SNOW_BACK_EVIL"},
    {BIND_FONT, "FONT_COMPLETE_SCORES", nullptr, &FontCompleteScores, nullptr},
    {BIND_FONT, "FONT_POPUP", nullptr, &FontPopup, nullptr},
    {BIND_FONT, "FONT_COMICS", nullptr, &FontComics, nullptr},
    {BIND_FONT, "FONT_HELP", nullptr, &FontHelp, nullptr},
    {BIND_FONT, "FONT_02", nullptr, &Font02, nullptr},
    {BIND_FONT, "FONT_SCORES", nullptr, &FontScores, nullptr},
    {BIND_FONT, "FONT_HIGH_SCORES", nullptr, &FontHighScores, nullptr},
    {BIND_FONT, "FONT_BLOCK_SCORES", nullptr, &FontBlockScores, nullptr},
    {BIND_FONT, "FONT_COMIC", nullptr, &FontComic, nullptr},
    {BIND_FONT, "FONT_USERLIST", nullptr, &FontUserlist, nullptr},
    {BIND_FONT, "FONT_HI", nullptr, &FontHi, nullptr},
    {BIND_FONT, "FONT_VILLAGE_SCORES", nullptr, &FontVillageScores, nullptr},
    {BIND_FONT, "FONT_BUILD_01", nullptr, &FontBuild01, nullptr},
    {BIND_FONT, "FONT_BUILD_02", nullptr, &FontBuild02, nullptr},
    {BIND_FONT, "FONT_LEVEL_SELECT", nullptr, &FontLevelSelect, nullptr},
    {BIND_FONT, "FONT_MENU"},
    {BIND_FONT, "FONT_MAIN"},
    {BIND_FONT, "FONT_BIG"},
    {BIND_FONT, "FONT_01"},
    {BIND_FONT, "FONT_03"},
    {BIND_FONT, "FONT_BUTTONBIG"},
    {BIND_FONT, "FONT_BUTTONLITTLE"},
    {BIND_FONT, "FONT_HYPERLINK"},
    {BIND_FONT, "FONT_NORMAL14"},
    {BIND_EFFECT, "EFFECT_SALUTE", nullptr, nullptr, &EffectSalute},
    {BIND_EFFECT, "EFFECT_TIME_BONUS", nullptr, nullptr, &EffectTimeBonus},
    {BIND_EFFECT, "EFFECT_BRICK", nullptr, nullptr, &EffectBrick},
    {BIND_EFFECT, "EFFECT_BRICK1", nullptr, nullptr, &EffectBrick1},
    {BIND_EFFECT, "EFFECT_BRICK2", nullptr, nullptr, &EffectBrick2},
    {BIND_EFFECT, "EFFECT_BRICK3", nullptr, nullptr, &EffectBrick3},
    {BIND_EFFECT, "EFFECT_BONUS_FREEZE", nullptr, nullptr, &EffectBonusFreeze},
    {BIND_EFFECT, "EFFECT_COINS", nullptr, nullptr, &EffectCoins},
    {BIND_EFFECT, "EFFECT_RAY", nullptr, nullptr, &EffectRay},
    {BIND_EFFECT, "EFFECT_STONE_01", nullptr, nullptr, &EffectStone01},
    {BIND_EFFECT, "EFFECT_COINS_LIGHT", nullptr, nullptr, &EffectCoinsLight},
    {BIND_EFFECT, "EFFECT_GEMS", nullptr, nullptr, &EffectGems},
    {BIND_EFFECT, "EFFECT_EXPL_ISKRA", nullptr, nullptr, &EffectExplIskra},
    {BIND_EFFECT, "EFFECT_EXPL_CIRCLE", nullptr, nullptr, &EffectExplCircle},
    {BIND_EFFECT, "EFFECT_EXPL_ISKRA2", nullptr, nullptr, &EffectExplIskra2},
    {BIND_EFFECT, "EFFECT_EXPL_CIRCLE2", nullptr, nullptr, &EffectExplCircle2},
    {BIND_EFFECT, "EFFECT_WATER", nullptr, nullptr, &EffectWater},
    {BIND_EFFECT, "EFFECT_WATER2", nullptr, nullptr, &EffectWater2},
    {BIND_EFFECT, "EFFECT_WATERFALL", nullptr, nullptr, &EffectWaterfall},
    {BIND_EFFECT, "EFFECT_WATERFALL2", nullptr, nullptr, &EffectWaterfall2},
    {BIND_EFFECT, "EFFECT_WATERFALL3", nullptr, nullptr, &EffectWaterfall3},
    {BIND_EFFECT, "EFFECT_WATERFALL4", nullptr, nullptr, &EffectWaterfall4},
    {BIND_EFFECT, "EFFECT_BOX_EXPLODE", nullptr, nullptr, &EffectBoxExplode},
    {BIND_EFFECT, "EFFECT_PARAZITE_CLICK", nullptr, nullptr, &EffectParaziteClick},
    {BIND_EFFECT, "EFFECT_PARAZITE_EXPLODE", nullptr, nullptr, &EffectParaziteExplode},
    {BIND_EFFECT, "EFFECT_PAR_EXPLODE_DUST", nullptr, nullptr, &EffectParExplodeDust},
    {BIND_EFFECT, "EFFECT_BOX_EXPLODE_DUST", nullptr, nullptr, &EffectBoxExplodeDust},
    {BIND_EFFECT, "EFFECT_BOX_EXPLODE_SPARKS", nullptr, nullptr, &EffectBoxExplodeSparks},
    {BIND_EFFECT, "EFFECT_STARS_04", nullptr, nullptr, &EffectStars04},
    {BIND_EFFECT, "EFFECT_STARS_05", nullptr, nullptr, &EffectStars05},
    {BIND_EFFECT, "EFFECT_SPARKING", nullptr, nullptr, &EffectSparking},
    {BIND_EFFECT, "EFFECT_SPARKING2", nullptr, nullptr, &EffectSparking2},
    {BIND_EFFECT, "EFFECT_SPARKING3", nullptr, nullptr, &EffectSparking3},
    {BIND_EFFECT, "EFFECT_SPARKING4", nullptr, nullptr, &EffectSparking4},
    {BIND_EFFECT, "EFFECT_PORTAL_01", nullptr, nullptr, &EffectPortal01},
    {BIND_EFFECT, "EFFECT_PORTAL_02", nullptr, nullptr, &EffectPortal02},
    {BIND_EFFECT, "EFFECT_PORTAL_SMOKE", nullptr, nullptr, &EffectPortalSmoke},
    {BIND_EFFECT, "EFFECT_BEAM", nullptr, nullptr, &EffectBeam},
    {BIND_EFFECT, "EFFECT_BEAM_SNOW", nullptr, nullptr, &EffectBeamSnow},
    {BIND_EFFECT, "EFFECT_TROPHY_01", nullptr, nullptr, &EffectTrophy01},
    {BIND_EFFECT, "EFFECT_TROPHY_STAR_01", nullptr, nullptr, &EffectTrophyStar01},
    {BIND_EFFECT, "EFFECT_AFTER_BEAM", nullptr, nullptr, &EffectAfterBeam},
    {BIND_EFFECT, "EFFECT_UPGRADE_BUILD", nullptr, nullptr, &EffectUpgradeBuild},
    {BIND_EFFECT, "EFFECT_UPGRADE_BUILD_UNDER", nullptr, nullptr, &EffectUpgradeBuildUnder},
    {BIND_EFFECT, "EFFECT_UPGRADE_BUILD_ROAD2", nullptr, nullptr, &EffectUpgradeBuildRoad2},
    {BIND_EFFECT, "EFFECT_UPGRADE_BUILD_BEFORE", nullptr, nullptr, &EffectUpgradeBuildBefore},
    {BIND_EFFECT, "EFFECT_UPGRADE_BUILD_BEFORE2", nullptr, nullptr, &EffectUpgradeBuildBefore2},
    {BIND_EFFECT, "EFFECT_UPGRADE_BUILD_SNOW", nullptr, nullptr, &EffectUpgradeBuildSnow},
    {BIND_EFFECT, "EFFECT_UPGRADE_BUILD_SNOW2", nullptr, nullptr, &EffectUpgradeBuildSnow2},
    {BIND_EFFECT, "EFFECT_UPGRADE_BRICKS", nullptr, nullptr, &EffectUpgradeBricks},
    {BIND_EFFECT, "EFFECT_ELECTRO", nullptr, nullptr, &EffectElectro},
    {BIND_EFFECT, "EFFECT_FLYINGTEXT", nullptr, nullptr, &EffectFlyingtext},
    {BIND_EFFECT, "EFFECT_BUBBLE", nullptr, nullptr, &EffectBubble},
    {BIND_EFFECT, "EFFECT_WATER_BUBBLE", nullptr, nullptr, &EffectWaterBubble},
    {BIND_EFFECT, "EFFECT_DUST", nullptr, nullptr, &EffectDust},
    {BIND_EFFECT, "EFFECT_FLOOR_DUST", nullptr, nullptr, &EffectFloorDust},
    {BIND_EFFECT, "EFFECT_SMOKE01", nullptr, nullptr, &EffectSmoke01},
    {BIND_EFFECT, "EFFECT_SMOKE02", nullptr, nullptr, &EffectSmoke02},
    {BIND_EFFECT, "EFFECT_FREEZE02", nullptr, nullptr, &EffectFreeze02},
    {BIND_EFFECT, "EFFECT_SMOKE01_VILLAGE", nullptr, nullptr, &EffectSmoke01Village},
    {BIND_EFFECT, "EFFECT_SMOKE02_VILLAGE", nullptr, nullptr, &EffectSmoke02Village},
    {BIND_EFFECT, "EFFECT_ZEPPELIN_SMOKE", nullptr, nullptr, &EffectZeppelinSmoke},
    {BIND_EFFECT, "EFFECT_SMOKE_PIPE_BIG", nullptr, nullptr, &EffectSmokePipeBig},
    {BIND_EFFECT, "EFFECT_SMOKE_PIPE_LITTLE", nullptr, nullptr, &EffectSmokePipeLittle},
    {BIND_EFFECT, "EFFECT_GEYSIR_01", nullptr, nullptr, &EffectGeysir01},
    {BIND_EFFECT, "EFFECT_GEYSIR_02", nullptr, nullptr, &EffectGeysir02},
    {BIND_EFFECT, "EFFECT_FIRE_BODY", nullptr, nullptr, &EffectFireBody},
    {BIND_EFFECT, "EFFECT_FIRE_BODY2", nullptr, nullptr, &EffectFireBody2},
    {BIND_EFFECT, "EFFECT_FIRE_SMOKE", nullptr, nullptr, &EffectFireSmoke},
    {BIND_EFFECT, "EFFECT_FIRE_SMOKE2", nullptr, nullptr, &EffectFireSmoke2},
    {BIND_EFFECT, "EFFECT_FIRE_SPARKS", nullptr, nullptr, &EffectFireSparks},
    {BIND_EFFECT, "EFFECT_FIRE_SPARKS2", nullptr, nullptr, &EffectFireSparks2},
    {BIND_EFFECT, "EFFECT_PATH", nullptr, nullptr, &EffectPath},
    {BIND_EFFECT, "EFFECT_SNOW", nullptr, nullptr, &EffectSnow},
    {BIND_EFFECT, "EFFECT_RAIN", nullptr, nullptr, &EffectRain},
    {BIND_EFFECT, "EFFECT_SALUTE_PART"},
    {BIND_EFFECT, "EFFECT_BONUS_FREEZE_ADDON"},
    {BIND_EFFECT, "EFFECT_COINS_VILLAGE"},
    {BIND_EFFECT, "EFFECT_EXPL_01"},
    {BIND_EFFECT, "EFFECT_EXPL_02"},
    {BIND_EFFECT, "EFFECT_PARAZITE_ADD"},
    {BIND_EFFECT, "EFFECT_STARS_01"},
    {BIND_EFFECT, "EFFECT_PORTAL_03"},
    {BIND_EFFECT, "EFFECT_FREEZE01"},
    {BIND_EFFECT, "EFFECT_SMOKE"},
    {BIND_EFFECT, "EFFECT_SMOKE4"},
    {BIND_EFFECT, "EFFECT_STARS_02"},
    {BIND_EFFECT, "EFFECT_STARS_02_child"},
};

constexpr TBinding kMenu[] = {
    {BIND_IMAGE, "IMAGE_BUTTON_PLAY"},
    {BIND_IMAGE, "IMAGE_BUTTON_PLAY_LOCKED"},
    {BIND_IMAGE, "IMAGE_BUTTON_BACK"},
    {BIND_IMAGE, "IMAGE_BUTTON_RANDOM"},
    {BIND_IMAGE, "IMAGE_BUTTON_RANDOM_LOCKED"},
    {BIND_IMAGE, "IMAGE_LEVEL_FRAME"},
    {BIND_IMAGE, "IMAGE_LEVEL_BACK"},
    {BIND_IMAGE, "IMAGE_LEVEL_LOCKED"},
    {BIND_IMAGE, "IMAGE_LEVEL_BORDER"},
    {BIND_IMAGE, "IMAGE_LEVEL_SELECTOR"},
    {BIND_IMAGE, "IMAGE_SCORES_FRAME"},
    {BIND_IMAGE, "IMAGE_SCORES_NORMAL"},
    {BIND_IMAGE, "IMAGE_SCORES_RELAXED"},
    {BIND_IMAGE, "IMAGE_CREDITS_TEXT"},
    {BIND_IMAGE, "IMAGE_CREDITS_BACK_01"},
    {BIND_IMAGE, "IMAGE_CREDITS_BACK_02"},
    {BIND_IMAGE, "IMAGE_MAINMENU_BUTTON_START"},
    {BIND_IMAGE, "IMAGE_MAINMENU_BUTTON_OPTIONS"},
    {BIND_IMAGE, "IMAGE_MAINMENU_BUTTON_SCORES"},
    {BIND_IMAGE, "IMAGE_MAINMENU_BUTTON_QUIT"},
    {BIND_IMAGE, "IMAGE_MAINMENU_BUTTON_NORMAL"},
    {BIND_IMAGE, "IMAGE_MAINMENU_BUTTON_RELAXED"},
    {BIND_IMAGE, "IMAGE_MAINMENU_BUTTON_LEVEL"},
    {BIND_IMAGE, "IMAGE_MAINMENU_BUTTON_NEW"},
    {BIND_IMAGE, "IMAGE_MAINMENU_BUTTON_DELETE"},
    {BIND_IMAGE, "IMAGE_MAINMENU_BUTTON_SELECT"},
    {BIND_IMAGE, "IMAGE_MAINMENU_ARROW_DOWN"},
    {BIND_IMAGE, "IMAGE_MAINMENU_ARROW_UP"},
    {BIND_IMAGE, "IMAGE_MAINMENU_BON"},
    {BIND_IMAGE, "IMAGE_MAINMENU_ZEPPELIN"},
    {BIND_IMAGE, "IMAGE_MAINMENU_USER_FRAME"},
    {BIND_IMAGE, "IMAGE_MAINMENU_NAME_FRAME"},
    {BIND_IMAGE, "IMAGE_MAINMENU_MODE_FRAME"},
    {BIND_IMAGE, "IMAGE_MAINMENU_SELECTOR"},
    {BIND_IMAGE, "IMAGE_MAINMENU_EYE"},
    {BIND_IMAGE, "IMAGE_MAINMENU_LOGO"},
    {BIND_IMAGE, "IMAGE_MAINMENU_LAYER"},
    {BIND_IMAGE, "IMAGE_MAINMENU_LIGHT"},
    {BIND_IMAGE, "IMAGE_MAINMENU_ROPE"},
    {BIND_IMAGE, "IMAGE_MAINMENU_LOGO_ROPE"},
};

constexpr TBinding kMap[] = {
    {BIND_IMAGE, "IMAGE_MAP_BACK"},
    {BIND_IMAGE, "IMAGE_MAP_ISLAND1"},
    {BIND_IMAGE, "IMAGE_MAP_ISLAND2"},
    {BIND_IMAGE, "IMAGE_MAP_ISLAND2_OPEN"},
    {BIND_IMAGE, "IMAGE_MAP_BACK_ISLAND1"},
    {BIND_IMAGE, "IMAGE_MAP_BACK_ISLAND2"},
    {BIND_IMAGE, "IMAGE_MAP_YELLOWROCKS"},
    {BIND_IMAGE, "IMAGE_MAP_SNOWBALL"},
    {BIND_IMAGE, "IMAGE_MAP_BT_CONTINUE"},
    {BIND_IMAGE, "IMAGE_MAP_BT_MAINMENU"},
    {BIND_IMAGE, "IMAGE_MAP_BT_NEWGAME"},
    {BIND_IMAGE, "IMAGE_MAP_SCROLL"},
};

constexpr TBinding kVillage[] = {
    {BIND_IMAGE, "IMAGE_EM_HAPPY"},
    {BIND_IMAGE, "IMAGE_EM_HOME"},
    {BIND_IMAGE, "IMAGE_EM_SLEEP"},
    {BIND_IMAGE, "IMAGE_EM_QUEST"},
    {BIND_IMAGE, "IMAGE_EM_TAVERN"},
    {BIND_IMAGE, "IMAGE_EM_TREES"},
    {BIND_IMAGE, "IMAGE_EM_UNHAPPY"},
    {BIND_IMAGE, "IMAGE_EM_MAGIC"},
    {BIND_IMAGE, "IMAGE_EM_MARKET"},
    {BIND_IMAGE, "IMAGE_EM_SCHOOL"},
    {BIND_IMAGE, "IMAGE_EM_TELESCOPE"},
    {BIND_IMAGE, "IMAGE_VILLAGE_CREATURE_YELLOW"},
    {BIND_IMAGE, "IMAGE_VILLAGE_CREATURE_BLUE"},
    {BIND_IMAGE, "IMAGE_VILLAGE_CREATURE_GREEN"},
    {BIND_IMAGE, "IMAGE_VILLAGE_CREATURE_RED"},
    {BIND_IMAGE, "IMAGE_VILLAGE_CREATURE_PURPLE"},
    {BIND_IMAGE, "IMAGE_VILLAGE_CREATURE_SKY"},
    {BIND_IMAGE, "IMAGE_VILLAGE_CREATURE_BROWN"},
    {BIND_IMAGE, "IMAGE_VILLAGE_PARAZITE"},
    {BIND_IMAGE, "IMAGE_VILLAGE_ORBUS"},
    {BIND_IMAGE, "IMAGE_VILLAGE_YETI"},
    {BIND_IMAGE, "IMAGE_VILLAGE_BROWNIE_FULL"},
    {BIND_IMAGE, "IMAGE_VILLAGE_BROWNIE"},
    {BIND_IMAGE, "IMAGE_VILLAGE_BROWNIE_GOOD"},
    {BIND_IMAGE, "IMAGE_VILLAGE_ELITE"},
    {BIND_IMAGE, "TROPHY_KEY"},
    {BIND_IMAGE, "TROPHY_CLOVER"},
    {BIND_IMAGE, "TROPHY_MESSAGE"},
    {BIND_IMAGE, "TROPHY_RING"},
    {BIND_IMAGE, "TROPHY_STONE_01"},
    {BIND_IMAGE, "TROPHY_STONE_02"},
    {BIND_IMAGE, "TROPHY_STONE_02_2"},
    {BIND_IMAGE, "TROPHY_STONE_03"},
    {BIND_IMAGE, "TROPHY_STONE_03_2"},
    {BIND_IMAGE, "TROPHY_ZEP_DRAWING"},
    {BIND_IMAGE, "TROPHY_ENGINE_STONE"},
    {BIND_IMAGE, "TROPHY_RETORT"},
    {BIND_IMAGE, "TROPHY_RAY"},
    {BIND_IMAGE, "TROPHY_ARMOR"},
    {BIND_IMAGE, "DIALOG_GLOW"},
    {BIND_IMAGE, "DIALOG_FRAME_01"},
    {BIND_IMAGE, "DIALOG_FRAME_02"},
    {BIND_IMAGE, "DIALOG_FRAME_03"},
    {BIND_IMAGE, "DIALOG_FRAME_04"},
    {BIND_IMAGE, "DIALOG_BT_CLOSE"},
    {BIND_IMAGE, "DIALOG_BT_CLOSE_LOCKED"},
    {BIND_IMAGE, "DIALOG_BT_SKIP"},
    {BIND_IMAGE, "DIALOG_ELLO"},
    {BIND_IMAGE, "DIALOG_REDRICE"},
    {BIND_IMAGE, "DIALOG_NAMELESSONE"},
    {BIND_IMAGE, "DIALOG_MECHANICUS"},
    {BIND_IMAGE, "DIALOG_PARAZITE"},
    {BIND_IMAGE, "DIALOG_ORBUS"},
    {BIND_IMAGE, "DIALOG_YETI"},
    {BIND_IMAGE, "DIALOG_BROWNIE_FULL"},
    {BIND_IMAGE, "DIALOG_BROWNIE"},
    {BIND_IMAGE, "DIALOG_BROWNIE_GOOD"},
    {BIND_IMAGE, "IMAGE_GUI_SCROLL_LEFT"},
    {BIND_IMAGE, "IMAGE_GUI_SCROLL_RIGHT"},
    {BIND_IMAGE, "IMAGE_GUI_HIGHLIGHT"},
    {BIND_IMAGE, "IMAGE_GUI_RED_SCREEN"},
    {BIND_IMAGE, "IMAGE_GUI_VILLAGE_PANEL"},
    {BIND_IMAGE, "IMAGE_GUI_PROGHAP_FULL"},
    {BIND_IMAGE, "IMAGE_GUI_BUILD_PROGRESS_BACK"},
    {BIND_IMAGE, "IMAGE_GUI_BUILD_PROGRESS_FRONT"},
    {BIND_IMAGE, "IMAGE_GUI_COINS"},
    {BIND_IMAGE, "IMAGE_GUI_BT_BUILD_"},
    {BIND_IMAGE, "IMAGE_GUI_BT_BUILD_ON_"},
    {BIND_IMAGE, "IMAGE_GUI_BT_BUILD_LOCKED_"},
    {BIND_IMAGE, "IMAGE_GUI_BT_MENU"},
    {BIND_IMAGE, "IMAGE_GUI_BT_MENU_ON"},
    {BIND_IMAGE, "IMAGE_GUI_BT_PLAY"},
    {BIND_IMAGE, "IMAGE_GUI_BT_PLAY_ON"},
    {BIND_IMAGE, "IMAGE_GUI_BT_PLAY_LOCKED"},
    {BIND_IMAGE, "IMAGE_GUI_TROPHY_ROOM"},
    {BIND_IMAGE, "IMAGE_GUI_TROPHY_FRAME"},
    {BIND_IMAGE, "IMAGE_GUI_TROPHY_BACK_01"},
    {BIND_IMAGE, "IMAGE_GUI_TROPHY_BACK_02"},
    {BIND_IMAGE, "IMAGE_GUI_BUTTON_BACK"},
    {BIND_IMAGE, "IMAGE_GUI_BT_TROPHY"},
    {BIND_IMAGE, "IMAGE_GUI_BT_TROPHY_ON"},
    {BIND_IMAGE, "IMAGE_GUI_BT_TROPHY_LOCKED"},
    {BIND_IMAGE, "IMAGE_GUI_SCROLL_TOP"},
    {BIND_IMAGE, "IMAGE_GUI_SCROLL_BOTTOM"},
    {BIND_IMAGE, "IMAGE_GUI_DIALOG_REDRICE"},
    {BIND_IMAGE, "IMAGE_GUI_DIALOG_ELLO"},
    {BIND_IMAGE, "IMAGE_GUI_ARROWL"},
    {BIND_IMAGE, "IMAGE_GUI_ARROWL_ON"},
    {BIND_IMAGE, "IMAGE_GUI_ARROWR"},
    {BIND_IMAGE, "IMAGE_GUI_ARROWR_ON"},
    {BIND_IMAGE, "IMAGE_GUI_BT_BACK"},
    {BIND_IMAGE, "IMAGE_GUI_BT_BACK_ON"},
    {BIND_IMAGE, "IMAGE_GUI_BT_BUILD"},
    {BIND_IMAGE, "IMAGE_GUI_BT_BUILD_ON"},
    {BIND_IMAGE, "IMAGE_GUI_BT_BUILD_LOCKED"},
    {BIND_IMAGE, "IMAGE_GUI_LOCK"},
    {BIND_IMAGE, "IMAGE_GUI_BT_BUILD_FUNDS"},
    {BIND_IMAGE, "IMAGE_GUI_CROSS"},
    {BIND_IMAGE, "IMAGE_GUI_CROSS_ON"},
    {BIND_IMAGE, "IMAGE_GUI_FORM_BUILD"},
    {BIND_IMAGE, "IMAGE_GUI_N2"},
    {BIND_IMAGE, "IMAGE_GUI_N3"},
    {BIND_IMAGE, "IMAGE_GUI_N4"},
    {BIND_IMAGE, "IMAGE_GUI_N5"},
    {BIND_IMAGE, "IMAGE_GUI_N6"},
    {BIND_IMAGE, "IMAGE_GUI_N7"},
    {BIND_IMAGE, "IMAGE_GUI_N8"},
    {BIND_IMAGE, "IMAGE_GUI_N9"},
    {BIND_IMAGE, "IMAGE_GUI_u01"},
    {BIND_IMAGE, "IMAGE_GUI_u02"},
    {BIND_IMAGE, "IMAGE_GUI_u03"},
    {BIND_IMAGE, "IMAGE_GUI_u04"},
    {BIND_IMAGE, "IMAGE_GUI_u05"},
    {BIND_IMAGE, "IMAGE_GUI_u06"},
    {BIND_IMAGE, "IMAGE_GUI_u07"},
    {BIND_IMAGE, "IMAGE_GUI_snow_u1"},
    {BIND_IMAGE, "IMAGE_GUI_snow_u2"},
    {BIND_IMAGE, "IMAGE_GUI_snow_u3"},
    {BIND_IMAGE, "IMAGE_GUI_square"},
    {BIND_IMAGE, "IMAGE_GUI_market"},
    {BIND_IMAGE, "IMAGE_GUI_school"},
    {BIND_IMAGE, "IMAGE_GUI_telescope"},
    {BIND_IMAGE, "IMAGE_GUI_tavern"},
    {BIND_IMAGE, "IMAGE_ZEPPELIN"},
    {BIND_IMAGE, "IMAGE_ZEPPELIN_01"},
    {BIND_IMAGE, "IMAGE_ZEPPELIN_02"},
    {BIND_IMAGE, "IMAGE_ZEPPELIN_CRUSHED"},
    {BIND_IMAGE, "IMAGE_ZEPPELIN_SHADOW"},
    {BIND_IMAGE, "IMAGE_PORTAL_BROKEN"},
    {BIND_IMAGE, "IMAGE_PORTAL_STONE_01"},
    {BIND_IMAGE, "IMAGE_PORTAL_STONE_02"},
    {BIND_IMAGE, "IMAGE_PORTAL_STONE_03"},
    {BIND_IMAGE, "IMAGE_FIRE_PLACE"},
    {BIND_IMAGE, "IMAGE_FIRE_PLACE2"},
    {BIND_IMAGE, "IMAGE_VILLAGE_BACK"},
    {BIND_IMAGE, "IMAGE_PALM_01"},
    {BIND_IMAGE, "IMAGE_PALM_02"},
    {BIND_IMAGE, "IMAGE_PALM01"},
    {BIND_IMAGE, "IMAGE_PALM02"},
    {BIND_IMAGE, "IMAGE_PALM03"},
    {BIND_IMAGE, "IMAGE_PALM04"},
    {BIND_IMAGE, "IMAGE_PALM05"},
    {BIND_IMAGE, "IMAGE_PALM06"},
    {BIND_IMAGE, "IMAGE_PALM07"},
    {BIND_IMAGE, "IMAGE_PALM08"},
    {BIND_IMAGE, "IMAGE_RENT"},
};

constexpr TBinding kVillage2[] = {
    {BIND_IMAGE, "IMAGE_SNOW_BACK_LEFT"},
    {BIND_IMAGE, "IMAGE_SNOW_BACK_MIDDLE"},
    {BIND_IMAGE, "IMAGE_SNOW_BACK_RIGHT"},
    {BIND_IMAGE, "IMAGE_SNOW_FIRE_PLACE"},
    {BIND_IMAGE, "IMAGE_SNOW_FIRE_PLACE2"},
    {BIND_IMAGE, "IMAGE_SNOW_TREE_01"},
    {BIND_IMAGE, "IMAGE_SNOW_TREE_02"},
    {BIND_IMAGE, "IMAGE_SNOW_TREE_03"},
    {BIND_IMAGE, "IMAGE_SNOW_TREE_04"},
    {BIND_IMAGE, "IMAGE_SNOW_TREE_05"},
    {BIND_IMAGE, "IMAGE_SNOW_BRIDGE"},
    {BIND_IMAGE, "IMAGE_SNOW_GATE_OPENED"},
    {BIND_IMAGE, "IMAGE_SNOW_GATE_CLOSED"},
    {BIND_IMAGE, "IMAGE_SNOW_GATE_BROKEN"},
};

constexpr TBinding kComicsIntro[] = {
    {BIND_IMAGE, "IMAGE_COMICS_INTRO_01"},
    {BIND_IMAGE, "IMAGE_COMICS_INTRO_02"},
    {BIND_IMAGE, "IMAGE_COMICS_INTRO_03"},
    {BIND_IMAGE, "IMAGE_COMICS_INTRO_04"},
    {BIND_IMAGE, "IMAGE_COMICS_INTRO_PLANET"},
    {BIND_IMAGE, "IMAGE_COMICS_INTRO_06"},
    {BIND_IMAGE, "IMAGE_COMICS_INTRO_07"},
    {BIND_IMAGE, "IMAGE_COMICS_INTRO_09"},
    {BIND_IMAGE, "IMAGE_COMICS_INTRO_09_BACK"},
    {BIND_IMAGE, "IMAGE_COMICS_ELLO"},
    {BIND_IMAGE, "IMAGE_COMICS_REDRICE"},
    {BIND_IMAGE, "IMAGE_COMICS_BROWNIE"},
    {BIND_IMAGE, "IMAGE_COMICS_INTRO_11"},
    {BIND_IMAGE, "IMAGE_COMICS_ORBICS"},
    {BIND_IMAGE, "IMAGE_COMICS_PARTICLES"},
    {BIND_IMAGE, "IMAGE_COMICS_STONE_01"},
};

// Rows without a global keep their objects here, one list per table.
std::vector<TResData> g_keptInit, g_keptMenu, g_keptMap, g_keptVillage, g_keptVillage2, g_keptComicsIntro;

}  // namespace

std::span<const TBinding> InitBindings() { return kInit; }
std::span<const TBinding> MenuBindings() { return kMenu; }
std::span<const TBinding> MapBindings() { return kMap; }
std::span<const TBinding> VillageBindings() { return kVillage; }
std::span<const TBinding> Village2Bindings() { return kVillage2; }
std::span<const TBinding> ComicsIntroBindings() { return kComicsIntro; }

void BindInitResources() { BindTable(kInit, g_keptInit); }
void BindMenuResources() { BindTable(kMenu, g_keptMenu); }
void BindMapResources() { BindTable(kMap, g_keptMap); }
void BindVillageResources() { BindTable(kVillage, g_keptVillage); }
void BindVillage2Resources() { BindTable(kVillage2, g_keptVillage2); }
void BindMusicResources() {}
void BindComicsIntroResources() { BindTable(kComicsIntro, g_keptComicsIntro); }

void ResetResourceBindings() {
  for (std::span<const TBinding> table : {InitBindings(), MenuBindings(), MapBindings(), VillageBindings(),
                                          Village2Bindings(), ComicsIntroBindings()})
    for (const TBinding& row : table) {
      // The widgets' picture and fonts are the widget room's globals, reset with it.
      if (row.image && row.image != &ImageGuiMessageBox) *row.image = nullptr;
      if (row.font && row.font != &FontPopup && row.font != &FontUserlist) *row.font = nullptr;
      if (row.effect) *row.effect = nullptr;
    }
  for (auto* kept : {&g_keptInit, &g_keptMenu, &g_keptMap, &g_keptVillage, &g_keptVillage2, &g_keptComicsIntro})
    kept->clear();
}

}  // namespace kelp
