// Keeps a flag at a value for a scope and gives it back its previous value on
// every way out, an exception included.
#pragma once

struct TFlagScope {
    TFlagScope(bool& flag, bool value) : flag_(flag), saved_(flag) { flag = value; }
    ~TFlagScope() { flag_ = saved_; }
    TFlagScope(const TFlagScope&) = delete;
    TFlagScope& operator=(const TFlagScope&) = delete;

private:
    bool& flag_;
    bool saved_;
};
