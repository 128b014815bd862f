// Anchors the precompiled Qt headers.
