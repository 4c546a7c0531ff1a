// The region engine: draws sprites on the stage form and shapes the form's
// window to the union of their outlines, one frame at a time.
//
// A frame is InitRegionForm (when a scene loads), one DrawSprite per sprite
// in painting order, then ApplyRegion. The frame's region is kept by handle
// in the form's Tag ("handle,mode"; "0,1" while nothing is drawn). Painting
// goes to the form's persistent image, which the host shows inside the
// window region once the frame is applied.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/GameState.h"
#include "forms/Host.h"
#include "stage/RegionRecord.h"

namespace q {

class Game;
class Form;

// A sprite's outline placed at a pixel offset.
struct PlacedOutline {
    const RegionRecord* record = nullptr;
    int dx = 0, dy = 0;
};

// The union of placed outlines in the platform's band form. `scratch` keeps
// its storage from call to call.
struct UnionScratch {
    std::vector<int> edges;
    struct Cursor {
        const RegionRecord* record;
        int dx, dy;
        size_t next;  // first rectangle of the next band to look at
    };
    std::vector<Cursor> cursors;
    std::vector<PixelRect> spans;
};
void UnionOfOutlines(const std::vector<PlacedOutline>& parts, std::vector<PixelRect>& out, UnionScratch& scratch);

// The engine's state for one game.
struct RegionEngine {
    RegionEngine();
    ~RegionEngine();

    // The outline table: one record per sprite number 0..424 (424 stays
    // empty), filled once per run by LoadRegionData.
    bool RgnDataLoaded = false;
    std::vector<RegionRecord> RgnData;
    int tableFills = 0;  // how often LoadRegionData ran

    // Regions the engine owns, by handle: the outlines they are made of.
    std::map<long, std::vector<PlacedOutline>> regions;
    long nextHandle = 1;

    // Per stage form: its persistent image and its window's current shape.
    struct FormStage {
        struct Painted {
            int sprite, x, y;  // pixels
        };
        std::vector<Painted> image;
        std::vector<PixelRect> window;
    };
    std::map<const Form*, FormStage> forms;
    const Form* lastApplied = nullptr;

    // Forms that scripts name before their scene exists.
    std::vector<std::unique_ptr<Form>> standIns;

    UnionScratch scratch;
    std::vector<StageSprite> frameImage;
    int tallest = 0;  // the height of the tallest picture, in pixels
};

RegionEngine& Rgn(Game& g);

// Fills the outline table from the pictures.
void LoadRegionData(Game& g);

// The engine's side of the public procedures.
void InitRegionForm(Game& g, Form& form, Long mode, Long width, Long height);
// Snaps x and y (twips) toward zero to whole pixels, writing them back,
// then adds the sprite's outline to the frame and paints it.
void DrawSprite(Game& g, Long sprite, Form& form, double& x, double& y);
void ApplyRegion(Game& g, Form& form);
Integer GetSpriteHeight(Long sprite);

// The stage form whose window takes a click at this screen pixel (the form's
// last applied region holds it), or null when the click reaches whatever
// lies below the game.
Form* RegionFormAt(Game& g, int x, int y);

// The rows of the stage form its figures can take, from the gauge row above
// SpriteTop to the foot of the tallest picture standing on it, told to the
// host (Host::StageRows).
void TellStageRows(Game& g, Form& form);
// Moves what the stage form shows (its last frame, and the one being drawn)
// by dx, dy pixels on the form and shows it again at once.
void MoveStageImage(Game& g, Form& form, int dx, int dy);
// Every stage form with a frame state.
std::vector<Form*> StageForms(Game& g);

// The window region the form got at its last apply.
const std::vector<PixelRect>& WindowRegion(Game& g, const Form& form);

}  // namespace q
