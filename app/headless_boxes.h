#pragma once
// Without a screen anyone sees (the offscreen platform of a script or a
// service), a box would wait for ever for an answer nobody can give. For its
// lifetime, and only while the application's own presenter is in force on
// such a screen, errors go to standard error alone and questions take their
// default answer.
#include "platform/rtl/presenter.h"
#include <memory>

class THeadlessBoxes {
public:
    THeadlessBoxes();
    ~THeadlessBoxes();
    THeadlessBoxes(const THeadlessBoxes&) = delete;
    THeadlessBoxes& operator=(const THeadlessBoxes&) = delete;

private:
    std::unique_ptr<TPresenter> presenter_;   // set while in force
};
