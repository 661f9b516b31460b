update MslElectro set msl_id=:id1 where JournalMsl_id=:id2 and Fbad=:bad
