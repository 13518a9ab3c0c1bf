// Qt headers in common use, precompiled once per library target.
#pragma once
#include <QtCore/QObject>
#include <QtCore/QString>
#include <QtCore/QList>
#include <QtCore/QByteArray>
#include <QtGui/QColor>
#include <QtGui/QPainter>
#include <QtWidgets/QWidget>
#include <string>
#include <vector>
#include <cstdint>
