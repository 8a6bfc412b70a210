#include "TestStore.h"

#include "model/entities/DrawableMapping.h"
#include "model/entities/Screenshot.h"

std::vector<pelorama::model::Drawable*> placedDrawables(pelorama::model::Screenshot& screenshot)
{
    std::vector<pelorama::model::Drawable*> drawables;
    for (pelorama::model::DrawableMapping* mapping : screenshot.drawableMappings())
        drawables.push_back(mapping->drawable());
    return drawables;
}
