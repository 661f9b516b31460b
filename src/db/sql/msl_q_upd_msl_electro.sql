update MslElectro set Fbad=:bad,msl_id=:id3 where JournalMsl_id=:id1 and electro_id=:id2
