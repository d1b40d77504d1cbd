#include "view/image_button.h"

#include "platform/files.h"
#include "view/picture_box.h"

#include <QImage>

void ShowButtonImage(PictureBox& button, const QString& appDir, const QString& file)
{
    const QImage image(appFile(appDir, file));
    if (!image.isNull()) {
        button.setPicture(image);
    }
}
