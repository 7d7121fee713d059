#pragma once

// The demo's pictures, painted in code: a landscape for the background, three button icons and
// a window icon. Needs a QGuiApplication.

#include <QImage>
#include <QSize>

QImage LandscapePicture(QSize size);

// 32 x 32 icons with alpha.
QImage AddImagesIcon();
QImage SettingsIcon();
QImage MakePdfIcon();

// 16 x 16.
QImage WindowIconPicture();
