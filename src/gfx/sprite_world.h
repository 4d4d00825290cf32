// CSpriteWorld: a sprite placed in map coordinates, drawn through the map view's position and zoom each
// frame onto the back buffer, or once into the map's own surface ("static"); the unit sprites define
// theirs in ".spr" files of the data language.
#pragma once

#include <cstdint>

#include "gfx/sprite.h"
#include "map/game_map_base.h"

class CSpriteWorld : public CSprite, public CGameMapBase {
public:
    CSpriteWorld();
    explicit CSpriteWorld(const char* file);
    CSpriteWorld(int width, int height, int bits);

    // Reads a definition "sprite = { bitmap = f frames = n origin = { x = . y = . } speed = n static = yes
    // palette = p transparency = n opacity = n }" and applies it at the closing brace: the bitmap from
    // "gfx\map\units\bmp\", run-length encoded into its frames. A definition in error stops the parse
    // (a parse error, thrown) and leaves the sprite as it was. 0.
    int ParseFields(CRZParser& parser) override;
    // Pass 6 draws into the map surface with the top-left corner at the world position; every other pass
    // draws onto the back buffer at the view's zoom, inside the map window. 0.
    int Draw(CRZDrawType type) override;
    void MoveTo(int x, int y) override;
    void MoveRel(int dx, int dy) override;
    CPoint GetPosition() override;
    int SetBitmap(const char* file) override;
    // A random start frame from the screen's generator, and the origin in the frame's centre.
    void SetTotalFrames(int frames) override;
    // Screen coordinates.
    int Within(int x, int y) override { return Within(x, y, false); }

    // In screen coordinates, or with surface set in the map surface's (where pass 6 draws).
    virtual int Within(int x, int y, bool surface);
    // 1 unless the drawn rectangle lies wholly beside the given one (touching edges count).
    virtual int Intersecting(int left, int top, int right, int bottom);
    virtual int GetFrequency() { return _Frequency; }
    virtual void SetFrequency(int frequency) { _Frequency = frequency; }

    void MakeStatic();
    void MakeNonStatic();
    bool IsStatic() const { return _Static != 0; }

private:
    void InitWorld();
    // The screen point of the frame's top-left corner.
    CPoint ScreenCorner();

    std::int32_t _WorldX = 0;
    std::int32_t _WorldY = 0;
    std::int32_t _Frequency = 0;
    std::int32_t _Static = 0;
};
