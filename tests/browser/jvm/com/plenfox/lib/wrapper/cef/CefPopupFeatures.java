package com.plenfox.lib.wrapper.cef;

/** Declared so that signatures naming it resolve; carries no operations. */
public interface CefPopupFeatures {}
