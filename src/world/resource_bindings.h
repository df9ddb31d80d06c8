#pragma once
// The game's binding tables, one per resource scope, and the globals they
// fill (see framework/media/resource_bindings.h for how binding works). The
// framework's own widgets read three of them (the message box picture, the
// pop-up and user-list fonts), which their headers declare.
//
// Only the objects bound at start-up that game code reads later have named
// globals; the rows of the other tables are looked up and kept alive by the
// table itself.
#include <span>

#include "framework/media/resource_bindings.h"
#include "framework/ui/input_box.h"
#include "framework/ui/message_box.h"
#include "platform/image.h"

namespace kelp {

void BindInitResources();
void BindMenuResources();
void BindMapResources();
void BindVillageResources();
void BindVillage2Resources();
void BindMusicResources();  // binds nothing
void BindComicsIntroResources();
// Every global the tables bind back to null and the objects the tables keep
// let go (the widgets' picture and fonts excepted: their room resets them).
void ResetResourceBindings();

// The tables, in binding order (for the data check of the shipped resource list).
std::span<const TBinding> InitBindings();
std::span<const TBinding> MenuBindings();
std::span<const TBinding> MapBindings();
std::span<const TBinding> VillageBindings();
std::span<const TBinding> Village2Bindings();
std::span<const TBinding> ComicsIntroBindings();

// Images bound at start-up.
extern platform::ImageRef ImageLoadingFull;
extern platform::ImageRef ImageLoadingEmpty;
extern platform::ImageRef ImageLoadingText;
extern platform::ImageRef ImageRedLamp;
extern platform::ImageRef ImageFlash;
extern platform::ImageRef ImageTrolleyBack;
extern platform::ImageRef ImageTrolleyFront;
extern platform::ImageRef ImageTrolleyWheel;
extern platform::ImageRef ImageCreature;
extern platform::ImageRef ImageCreatureBack;
extern platform::ImageRef ImageCreature2;
extern platform::ImageRef ImageCreature2Back;
extern platform::ImageRef ImageCreature3;
extern platform::ImageRef ImageCreature3Back;
extern platform::ImageRef ImageCreature4;
extern platform::ImageRef ImageCreature4Back;
extern platform::ImageRef ImageCreature5;
extern platform::ImageRef ImageCreature5Back;
extern platform::ImageRef ImageCreature6;
extern platform::ImageRef ImageCreature6Back;
extern platform::ImageRef ImageCreature7;
extern platform::ImageRef ImageCreature7Back;
extern platform::ImageRef ImageCreature8;
extern platform::ImageRef ImageBlockGrey;
extern platform::ImageRef ImageBlockGreyBlink;
extern platform::ImageRef ImageBlockBoss01;
extern platform::ImageRef ImageBlockBoss01Blink;
extern platform::ImageRef ImageBlockBossYeti;
extern platform::ImageRef ImageBlockBossYetiBlink;
extern platform::ImageRef ImageBlockBossElite;
extern platform::ImageRef ImageBlockBossEliteBlink;
extern platform::ImageRef ImageBlockSmallElite;
extern platform::ImageRef ImageBlockSmallEliteBlink;
extern platform::ImageRef ImageBlockEvilYeti;
extern platform::ImageRef ImageBlockEvilYetiBlink;
extern platform::ImageRef ImageBlockBrownieFull;
extern platform::ImageRef ImageBlockBrownieFullBlink;
extern platform::ImageRef ImageBlockBrownie;
extern platform::ImageRef ImageBlockBrownieBlink;
extern platform::ImageRef ImageHover;
extern platform::ImageRef ImageHoverLamp;
extern platform::ImageRef ImageHoverup;
extern platform::ImageRef ImageRels;
extern platform::ImageRef ImageRopeTex;
extern platform::ImageRef ImageWaterTex;
extern platform::ImageRef ImageWaterBigTex;
extern platform::ImageRef ImageStone;
extern platform::ImageRef ImageTruba;
extern platform::ImageRef ImageShadow;
extern platform::ImageRef ImageLight;
extern platform::ImageRef ImageProgressbarFull;
extern platform::ImageRef ImageProgressbarHolders;
extern platform::ImageRef ImageProgressbarTop;

// Fonts bound at start-up.
extern Ref<TBMFont> FontCompleteScores;
extern Ref<TBMFont> FontComics;
extern Ref<TBMFont> FontHelp;
extern Ref<TBMFont> Font02;
extern Ref<TBMFont> FontScores;
extern Ref<TBMFont> FontHighScores;
extern Ref<TBMFont> FontBlockScores;
extern Ref<TBMFont> FontComic;
extern Ref<TBMFont> FontHi;
extern Ref<TBMFont> FontVillageScores;
extern Ref<TBMFont> FontBuild01;
extern Ref<TBMFont> FontBuild02;
extern Ref<TBMFont> FontLevelSelect;

// Effects bound at start-up.
extern Ref<TEffect> EffectSalute;
extern Ref<TEffect> EffectTimeBonus;
extern Ref<TEffect> EffectBrick;
extern Ref<TEffect> EffectBrick1;
extern Ref<TEffect> EffectBrick2;
extern Ref<TEffect> EffectBrick3;
extern Ref<TEffect> EffectBonusFreeze;
extern Ref<TEffect> EffectCoins;
extern Ref<TEffect> EffectRay;
extern Ref<TEffect> EffectStone01;
extern Ref<TEffect> EffectCoinsLight;
extern Ref<TEffect> EffectGems;
extern Ref<TEffect> EffectExplIskra;
extern Ref<TEffect> EffectExplCircle;
extern Ref<TEffect> EffectExplIskra2;
extern Ref<TEffect> EffectExplCircle2;
extern Ref<TEffect> EffectWater;
extern Ref<TEffect> EffectWater2;
extern Ref<TEffect> EffectWaterfall;
extern Ref<TEffect> EffectWaterfall2;
extern Ref<TEffect> EffectWaterfall3;
extern Ref<TEffect> EffectWaterfall4;
extern Ref<TEffect> EffectBoxExplode;
extern Ref<TEffect> EffectParaziteClick;
extern Ref<TEffect> EffectParaziteExplode;
extern Ref<TEffect> EffectParExplodeDust;
extern Ref<TEffect> EffectBoxExplodeDust;
extern Ref<TEffect> EffectBoxExplodeSparks;
extern Ref<TEffect> EffectStars04;
extern Ref<TEffect> EffectStars05;
extern Ref<TEffect> EffectSparking;
extern Ref<TEffect> EffectSparking2;
extern Ref<TEffect> EffectSparking3;
extern Ref<TEffect> EffectSparking4;
extern Ref<TEffect> EffectPortal01;
extern Ref<TEffect> EffectPortal02;
extern Ref<TEffect> EffectPortalSmoke;
extern Ref<TEffect> EffectBeam;
extern Ref<TEffect> EffectBeamSnow;
extern Ref<TEffect> EffectTrophy01;
extern Ref<TEffect> EffectTrophyStar01;
extern Ref<TEffect> EffectAfterBeam;
extern Ref<TEffect> EffectUpgradeBuild;
extern Ref<TEffect> EffectUpgradeBuildUnder;
extern Ref<TEffect> EffectUpgradeBuildRoad2;
extern Ref<TEffect> EffectUpgradeBuildBefore;
extern Ref<TEffect> EffectUpgradeBuildBefore2;
extern Ref<TEffect> EffectUpgradeBuildSnow;
extern Ref<TEffect> EffectUpgradeBuildSnow2;
extern Ref<TEffect> EffectUpgradeBricks;
extern Ref<TEffect> EffectElectro;
extern Ref<TEffect> EffectFlyingtext;
extern Ref<TEffect> EffectBubble;
extern Ref<TEffect> EffectWaterBubble;
extern Ref<TEffect> EffectDust;
extern Ref<TEffect> EffectFloorDust;
extern Ref<TEffect> EffectSmoke01;
extern Ref<TEffect> EffectSmoke02;
extern Ref<TEffect> EffectFreeze02;
extern Ref<TEffect> EffectSmoke01Village;
extern Ref<TEffect> EffectSmoke02Village;
extern Ref<TEffect> EffectZeppelinSmoke;
extern Ref<TEffect> EffectSmokePipeBig;
extern Ref<TEffect> EffectSmokePipeLittle;
extern Ref<TEffect> EffectGeysir01;
extern Ref<TEffect> EffectGeysir02;
extern Ref<TEffect> EffectFireBody;
extern Ref<TEffect> EffectFireBody2;
extern Ref<TEffect> EffectFireSmoke;
extern Ref<TEffect> EffectFireSmoke2;
extern Ref<TEffect> EffectFireSparks;
extern Ref<TEffect> EffectFireSparks2;
extern Ref<TEffect> EffectPath;
extern Ref<TEffect> EffectSnow;
extern Ref<TEffect> EffectRain;

}  // namespace kelp
