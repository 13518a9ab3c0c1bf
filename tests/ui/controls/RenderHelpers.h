// Rendering controls into images and comparing them with committed
// reference images. With ZK_WRITE_REFERENCE=1 in the environment a missing
// or differing reference is written instead (look at it, then commit it).
#pragma once

#include "ui/controls/UCLControl.h"

#include <QImage>
#include <QPainter>
#include <QString>
#include <QWidget>

#include <gtest/gtest.h>

inline QImage Render(QWidget& W)
{
    QImage image(W.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    W.render(&image);
    return image;
}

inline QString ReferencePath(const QString& Name)
{
    return QStringLiteral(ZK_TEST_DATA_DIR "/reference/") + Name + QStringLiteral(".png");
}

// Exact pixel comparison: for drawings without text only.
inline void ExpectMatchesReference(const QImage& Image, const QString& Name)
{
    const QString path = ReferencePath(Name);
    const QImage reference = QImage(path).convertToFormat(QImage::Format_RGB32);
    const QImage actual = Image.convertToFormat(QImage::Format_RGB32);
    if (qEnvironmentVariableIntValue("ZK_WRITE_REFERENCE") == 1 && reference != actual) {
        ASSERT_TRUE(actual.save(path)) << path.toStdString();
        return;
    }
    ASSERT_FALSE(reference.isNull()) << "missing reference " << path.toStdString();
    EXPECT_EQ(reference.size(), actual.size()) << Name.toStdString();
    EXPECT_TRUE(reference == actual) << "differs from " << path.toStdString();
}

// The colour of a pixel as 0xRRGGBB.
inline unsigned PixelRgb(const QImage& Image, int X, int Y)
{
    return Image.pixel(X, Y) & 0xFFFFFF;
}

// A parent widget (not a window: a window's background comes from a
// background object) that paints itself green and supplies that background
// to transparent children.
class TGreenParent : public QWidget, public IUCLBackground {
public:
    TGreenParent(QWidget* window, QSize size) : QWidget(window) { resize(size); }
    bool SuppliesBackground() const override { return true; }
    bool GetTransparent() const override { return false; }
    void RefreshBackground() override {}

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), QColor(0, 160, 0));
    }
};
