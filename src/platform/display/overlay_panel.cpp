// The wait panel's drawing: a translucent panel and a turning spinner in window pixels.
#include "platform/display/overlay_panel.h"

#include <GL/gl.h>
#include <cmath>
#include <cstdio>

#include "foundation/safeguards.h"

namespace Ravel {

void OverlayPanel::performClick()
{
    std::fputc('\a', stderr);
    std::fflush(stderr);
}

void OverlayPanel::draw(int width, int height, std::uint32_t nowMs) const
{
    if (!mShown || width <= 0 || height <= 0)
        return;
    glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_VIEWPORT_BIT | GL_LINE_BIT | GL_CURRENT_BIT
        | GL_TRANSFORM_BIT);
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0.0, width, height, 0.0, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);

    // The panel hangs from the top edge, centred, like a sheet.
    float left = static_cast<float>(width - kWidth) / 2.0F;
    float top = 0.0F;
    glColor4f(0.08F, 0.08F, 0.1F, 0.85F);
    glBegin(GL_QUADS);
    glVertex2f(left, top);
    glVertex2f(left + kWidth, top);
    glVertex2f(left + kWidth, top + kHeight);
    glVertex2f(left, top + kHeight);
    glEnd();

    float cx = left + kWidth / 2.0F;
    float cy = top + kHeight / 2.0F;
    int lead = LeadingSpoke(nowMs);
    glLineWidth(3.0F);
    glBegin(GL_LINES);
    for (int i = 0; i < kSpokes; ++i) {
        float angle = static_cast<float>(i) * 6.2831853F / kSpokes;
        int age = (lead - i + kSpokes) % kSpokes;
        float brightness = 1.0F - static_cast<float>(age) / kSpokes;
        glColor4f(0.9F, 0.9F, 0.9F, 0.2F + 0.8F * brightness);
        glVertex2f(cx + 8.0F * std::sin(angle), cy - 8.0F * std::cos(angle));
        glVertex2f(cx + 16.0F * std::sin(angle), cy - 16.0F * std::cos(angle));
    }
    glEnd();

    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glPopAttrib();
}

} // namespace Ravel
